#include "TestProject.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtEndian>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace varnel {

namespace {

int g_live = 0;
int g_serial = 0;

// The first live project uses the program's own connection name; later ones stay distinct.
QString nextConnectionName()
{
    ++g_serial;
    return g_live == 0 ? QStringLiteral("con") : QStringLiteral("con_test%1").arg(g_serial);
}

QByteArray encode(const QImage& img, const char* format)
{
    QByteArray out;
    QBuffer b(&out);
    b.open(QIODevice::WriteOnly);
    img.save(&b, format, 90);
    return out;
}

QImage gradient(int w, int h, const QColor& c)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixelColor(x, y, c.lighter(100 + (x * 50) / std::max(w, 1)));
    return img;
}

} // namespace

QByteArray TestProject::makeJpeg(int width, int height, const QColor& colour)
{
    return encode(gradient(width, height, colour), "JPG");
}

QByteArray TestProject::makePng(int width, int height, const QColor& colour)
{
    return encode(gradient(width, height, colour), "PNG");
}

QByteArray TestProject::makeBmp(int width, int height, const QColor& colour)
{
    return encode(gradient(width, height, colour), "BMP");
}

QByteArray TestProject::makeWav(int milliseconds, int frequency)
{
    const int rate = 8000;
    const int samples = rate * milliseconds / 1000;
    QByteArray data(samples * 2, '\0');
    for (int i = 0; i < samples; ++i) {
        const qint16 s = qint16(8000 * std::sin(2 * M_PI * frequency * i / rate));
        qToLittleEndian(s, data.data() + i * 2);
    }
    QByteArray wav;
    auto u32 = [&wav](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto u16 = [&wav](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav.append("RIFF");
    u32(36 + quint32(data.size()));
    wav.append("WAVEfmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    wav.append("data");
    u32(quint32(data.size()));
    wav.append(data);
    return wav;
}

void TestProject::writeResourceDb(const QString& path, const QByteArray& blankJpeg)
{
    const QString name = QStringLiteral("axc_writer_%1").arg(++g_serial);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            throw std::runtime_error("cannot create set.axc");
        QSqlQuery q(db);
        q.exec(QStringLiteral("create table z_pic([name] varchar,[pic] Blob)"));
        q.prepare(QStringLiteral("insert into z_pic(name,pic) values('空图',?)"));
        q.addBindValue(blankJpeg);
        if (!q.exec())
            throw std::runtime_error(q.lastError().text().toStdString());
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

TestProject::TestProject() : TestProject(Options{}) {}

TestProject::TestProject(const QString& project) : TestProject(Options{project, true}) {}

TestProject::TestProject(const Options& options)
    : m_db(std::make_unique<ProjectDb>(nextConnectionName())), m_settings(*m_db)
{
    ++g_live;
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    m_ctx.programFolder = QDir(m_dir.path()).absolutePath() + QLatin1Char('/');
    m_ctx.db = m_db.get();
    m_ctx.dialogs = &m_dialogs;
    m_ctx.sound = &m_sound;
    m_ctx.clock = &m_clock;
    m_ctx.presetPath = m_ctx.programFolder + QStringLiteral("_dsFA.tmp");
    setUpFolder(options.dataFiles);
    m_store =
        std::make_unique<ProjectStore>(*m_db, m_dialogs, m_ctx.programFolder, m_ctx.blankJpeg);
    if (!options.project.isEmpty())
        openProject(options.project);
}

TestProject::~TestProject()
{
    m_store.reset();
    m_db.reset();
    --g_live;
}

void TestProject::writeFile(const QString& relPath, const QByteArray& bytes)
{
    const QString path = file(relPath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

void TestProject::setUpFolder(bool dataFiles)
{
    const QString source = QStringLiteral(VARNEL_DATA_DIR) + QLatin1Char('/');
    auto place = [&](const QString& rel, const std::function<QByteArray()>& make) {
        QFile src(source + rel);
        if (src.open(QIODevice::ReadOnly))
            writeFile(rel, src.readAll());
        else
            writeFile(rel, make());
    };

    // set.axc: copy the build's, or make one around a small blank JPEG.
    const QString axc = file(QStringLiteral("set.axc"));
    if (QFile::exists(source + QStringLiteral("set.axc")))
        QFile::copy(source + QStringLiteral("set.axc"), axc);
    else
        writeResourceDb(axc, makeJpeg(64, 48, Qt::white));
    {
        ProjectDb axcDb(QStringLiteral("axc_reader_%1").arg(++g_serial));
        axcDb.connect(axc);
        QSqlQuery q = axcDb.select(QStringLiteral("select * from z_pic where name = '空图'"));
        if (q.next())
            m_ctx.blankJpeg = q.value(QStringLiteral("pic")).toByteArray();
        q.finish();
        q = QSqlQuery();
        axcDb.disconnect();
    }
    m_ctx.blank = QImage::fromData(m_ctx.blankJpeg, "JPG");
    if (m_ctx.blank.isNull())
        throw std::runtime_error("blank picture does not decode");

    if (!dataFiles)
        return;
    place(QStringLiteral("bmp/BJ001.JPG"), [] { return makeJpeg(320, 240, QColor(180, 20, 30)); });
    place(QStringLiteral("Sound/dada.wav"), [] { return makeWav(120, 220); });
    place(QStringLiteral("Sound/ding.wav"), [] { return makeWav(80, 880); });
    place(QStringLiteral("start1.png"), [] { return makePng(180, 50, QColor(200, 30, 30)); });
    place(QStringLiteral("start2.png"), [] { return makePng(180, 50, QColor(230, 60, 60)); });
    place(QStringLiteral("stop1.png"), [] { return makePng(180, 50, QColor(30, 120, 200)); });
    place(QStringLiteral("stop2.png"), [] { return makePng(180, 50, QColor(60, 150, 230)); });
}

ProjectStore::Outcome TestProject::openProject(const QString& name)
{
    m_outcome = m_store->open(name);
    return m_outcome;
}

void TestProject::addParticipant(int no, const QString& list, const QString& memo,
                                 const QVariant& mark)
{
    m_db->exec(QStringLiteral("insert into z_user(NO,List,Memo,TJ,PicB) values(?,?,?,?,'无')"),
               {no, list, memo, mark.isValid() ? mark : QVariant(QMetaType(QMetaType::Int))});
}

void TestProject::addParticipants(int n, const QString& prefix, const QVariant& mark)
{
    const int first = m_db->scalar(QStringLiteral("select ifnull(max(NO),0) from z_user")).toInt();
    m_db->exec(QStringLiteral("BEGIN"));
    try {
        for (int i = 1; i <= n; ++i) {
            const int no = first + i;
            addParticipant(no, prefix + QStringLiteral("%1").arg(no, 4, 10, QLatin1Char('0')),
                           QStringLiteral("备注%1").arg(no), mark);
        }
        m_db->exec(QStringLiteral("COMMIT"));
    } catch (...) {
        m_db->exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

int TestProject::addItem(const QString& name, int count, const QString& condition, int perPress,
                         const QString& prizeName)
{
    const int no = m_db->scalar(QStringLiteral("select ifnull(max(NO),0)+1 from z_jx")).toInt();
    m_db->exec(QStringLiteral("insert into z_jx(NO,JXname,JPname,JPjpg,BJjpg,JXcount,CQcount,TJ) "
                              "values(?,?,?,'','',?,?,?)"),
               {no, name, prizeName.isEmpty() ? name + QStringLiteral("奖品") : prizeName, count,
                perPress, condition});
    return no;
}

void TestProject::addWinner(int listNo, const QString& itemName, const QString& bz)
{
    m_db->exec(QStringLiteral("insert into z_zj(ListNO,ListZJ,ListBZ,JXname,BZ) "
                              "select NO,List,Memo,?,? from z_user where NO = ?"),
               {itemName, bz, listNo});
}

int TestProject::count(const QString& table)
{
    return m_db->scalar(QStringLiteral("select count(*) from ") + table).toInt();
}

QVariantList TestProject::column(const QString& sql, const QVariantList& binds)
{
    QVariantList out;
    QSqlQuery q = m_db->select(sql, binds);
    while (q.next())
        out << q.value(0);
    return out;
}

} // namespace varnel

#pragma once

#include "TestProject.h"
#include "shell/AppSetup.h"
#include "shell/TFrmSet.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>
#include <memory>

namespace varnel {

// A temporary program folder and the main window started over it with the test seams.
// Nothing is opened until start(); the window's own connection is the one to assert on.
struct ShellFixture {
    TestProject tp{TestProject::folderOnly()};
    std::unique_ptr<TFrmSet> w;
    QList<std::pair<bool, int>> drawRuns; // (adjust mode, key) per draw screen opened
    QStringList prompts;                  // answers for the password prompt, in order
    int promptsShown = 0;
    bool hiddenDuringDraw = false;

    FrmSetDeps deps()
    {
        FrmSetDeps d;
        d.programFolder = tp.folder();
        d.dialogs = &tp.dialogs();
        d.sound = &tp.sound();
        d.clock = &tp.clock();
        d.connectionName = QStringLiteral("frmset");
        return d;
    }

    bool start(FrmSetDeps d)
    {
        w = std::make_unique<TFrmSet>(d);
        w->setDrawScreenRunner([this](bool adjust, int key) {
            drawRuns.append({adjust, key});
            if (adjust)
                return;
            // A stand-in draw screen: the main window hides when it shows.
            QWidget screen;
            screen.setObjectName(QStringLiteral("frmJIANG"));
            const bool wasVisible = w->isVisible();
            screen.show();
            hiddenDuringDraw = wasVisible && !w->isVisible();
        });
        w->setPasswordPrompt([this] {
            ++promptsShown;
            return prompts.isEmpty() ? QString() : prompts.takeFirst();
        });
        return w->FormCreate();
    }
    bool start() { return start(deps()); }

    // Closes the window as the operator would and releases it.
    void close()
    {
        if (w)
            w->close();
        w.reset();
    }

    ProjectDb& db() { return *w->context().db; }
    Settings settings() { return Settings(db()); }
    QString read(const QString& key) { return settings().read(key); }
    int count(const QString& table)
    {
        return db().scalar(QStringLiteral("select count(*) from ") + table).toInt();
    }

    template <typename T> T* find(const char* name)
    {
        T* widget = w->findChild<T*>(QLatin1String(name));
        if (!widget)
            qWarning("widget %s not found", name);
        return widget;
    }
    QTreeWidgetItem* node(const QString& caption)
    {
        auto items =
            find<QTreeWidget>("TreeV")->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
        return items.isEmpty() ? nullptr : items.first();
    }
    // A mouse click on a tree node, as the operator makes it.
    void clickNode(const QString& caption)
    {
        if (!w->isVisible())
            w->show();
        auto* tree = find<QTreeWidget>("TreeV");
        const QRect r = tree->visualItemRect(node(caption));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
    }
    int page() { return find<QStackedWidget>("NtBook")->currentIndex(); }

    QString setIniText()
    {
        QFile f(tp.file(QStringLiteral("set.ini")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
};

} // namespace varnel

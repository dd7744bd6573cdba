#pragma once

#include "shell/MainWindowApi.h"
#include "store/TextTransforms.h"

#include <QImage>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace varnel {

struct AppContext;
class ArrowSpinBox;
class ExitLineEdit;
class Settings;

// Notebook page 2 `JianxianSet`: draw mode, draw screen layout, star mask and roll speed, list
// options, press interval, default condition and the project password. Every control stores
// its setting the moment it changes.
class OptionPage final : public NotebookPage {
    Q_OBJECT
public:
    OptionPage(AppContext& ctx, QWidget* parent = nullptr);

    // Project open: sets every control from the stored values; a control whose state changes
    // runs its own handler, so the normalised value is written back.
    void loadSettings(const Settings& settings);
    // The layout preview `imgYL` and its information label `lblCJInfo`.
    void loadLayoutPreview(const Settings& settings);
    void setLayoutPreview(const QImage& preview, const QString& screenSizeText);
    // The information text with its carriage returns (the label shows them as line breaks).
    QString layoutInfo() const { return m_layoutInfo; }
    bool layoutInfoMismatch() const { return m_layoutMismatch; }

    StarMaskParams starMaskParams() const;
    bool normalMode() const;
    // Commits the field that stores its value when the focus leaves it, if it has the focus.
    void commitFocusedField(QWidget* focused);

    // The lock of the project: protection on and which buttons it covers.
    bool passwordOn() const;
    QString password() const;
    bool protectsNew() const;
    bool protectsLoad() const;
    bool protectsRecords() const;
    bool protectsClear() const;

    // Handlers (public so the window and tests can run them as an operator's action would).
    void rbCJSETcjms1Click();
    void rbCJSETcjms2Click();
    void refreshMaskPreview();

signals:
    // chkMM clicked: the lock button is shown exactly while protection is on.
    void passwordUseChanged(bool on);
    // The mode was switched (after the wipe): the tree node "项目设置" follows it.
    void modeChanged(bool normal);
    void adjustDrawScreenRequested();
    void adjustWinnersListRequested();

private:
    QWidget* buildModeGroup();
    QWidget* buildLayoutGroup();
    QWidget* buildRollGroup();
    QWidget* buildOtherGroup();
    void connectHandlers();
    void store(const QString& key, const QString& value);
    void storeFlag(const QString& key, bool on);
    void switchMode(bool normalChosen);
    void showLayoutInfo(const QString& text, bool mismatch);

    AppContext& m_ctx;
    QRadioButton* m_rbNormal = nullptr;
    QRadioButton* m_rbMall = nullptr;
    QPushButton* m_btnAdjustScreen = nullptr;
    QPushButton* m_btnAdjustList = nullptr;
    QLabel* m_imgYL = nullptr;
    QLabel* m_lblCJInfo = nullptr;
    ArrowSpinBox* m_maskStart = nullptr;
    ArrowSpinBox* m_maskCount = nullptr;
    ExitLineEdit* m_maskSymbol = nullptr;
    QLabel* m_maskSample = nullptr;
    ArrowSpinBox* m_speed = nullptr;
    QCheckBox* m_chkyzjqd = nullptr;
    ExitLineEdit* m_defaultCondition = nullptr;
    QCheckBox* m_cbxShowJXzjname = nullptr;
    QCheckBox* m_chkzjqdsx = nullptr;
    ArrowSpinBox* m_interval = nullptr;
    QCheckBox* m_cbxGDSETcfzj = nullptr;
    QCheckBox* m_chkMM = nullptr;
    ExitLineEdit* m_edtMM = nullptr;
    QCheckBox* m_chkMMmm = nullptr;
    QCheckBox* m_chkMMxj = nullptr;
    QCheckBox* m_chkMMjz = nullptr;
    QCheckBox* m_chkMMlj = nullptr;
    QCheckBox* m_chkMMqc = nullptr;
    QString m_layoutInfo;
    bool m_layoutMismatch = false;
};

// The text of `lblCJInfo` for a stored screen size (empty: never adjusted) against the current
// screen size; `mismatch` tells whether it is shown in red.
QString layoutInfoText(const QString& stored, const QString& currentScreen, bool* mismatch);
// The current screen size written as width "*" height, for example "1024*768".
QString currentScreenSizeText();

} // namespace varnel

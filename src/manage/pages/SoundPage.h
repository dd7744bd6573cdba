#pragma once

#include "shell/MainWindowApi.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace varnel {

struct AppContext;
class Settings;

// Notebook page 3 `SoundSet`: the rolling and the winning sound, chosen from WAV files, kept
// inside the project and played from the stored bytes.
class SoundPage final : public NotebookPage {
    Q_OBJECT
public:
    SoundPage(AppContext& ctx, QWidget* parent = nullptr);

    void loadSettings(const Settings& settings);

    void btnSoundgdSelClick();
    void btnSoundzjSelClick();
    void btnPlay1Click();
    void btnPlay2Click();

private:
    struct Line {
        QLineEdit* edit = nullptr;
        QPushButton* play = nullptr;
        QPushButton* choose = nullptr;
        QCheckBox* use = nullptr;
    };
    Line buildLine(const QString& captionText, const char* edit, const char* play,
                   const char* choose, const char* use, QWidget* parent, QGridLayout* grid,
                   int row);
    void choose(const QString& key, QLineEdit* edit);
    void play(const QString& key);
    void storeFlag(const QString& key, bool on);

    AppContext& m_ctx;
    Line m_roll;
    Line m_win;
};

} // namespace varnel

#pragma once

#include "shell/MainWindowApi.h"

class QLabel;

namespace varnel {

// Notebook page 0 `Mian`: the program's title `lbMianTil` over a festive painted backdrop.
class AboutPage final : public NotebookPage {
public:
    explicit AboutPage(QWidget* parent = nullptr);
    QString title() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_title = nullptr;
};

} // namespace varnel

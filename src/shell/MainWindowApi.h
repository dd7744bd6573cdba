#pragma once

#include <QWidget>

#include <functional>

namespace varnel {

// What the pages of the main window ask of it.
class MainWindowApi {
public:
    virtual ~MainWindowApi() = default;
    // The tree navigation for the selected node (refreshes the page shown).
    virtual void navigateSelected() = 0;
    // Index of the notebook page shown (0..6).
    virtual int currentPage() const = 0;
    virtual void showPage(int index) = 0;
    // The data-changed flag: "滚动数据信息" turns red.
    virtual void markDataChanged() = 0;
    virtual bool dataChanged() const = 0;
    virtual void clearDataChanged() = 0;
    // Calls `fn` with the new state whenever the data-changed flag changes, for as long as
    // `receiver` lives (the participants page colours its caption "滚动数据信息" with it).
    virtual void watchDataChanged(QObject* receiver, std::function<void(bool)> fn)
    {
        Q_UNUSED(receiver);
        Q_UNUSED(fn);
    }
    // Normal mode (rbCJSETcjms1) or mall mode.
    virtual bool normalMode() const = 0;
};

// Base of the notebook pages: `enter` runs when the tree (or a button) shows the page and loads
// what the page shows; `leave` closes its query before another page is shown.
class NotebookPage : public QWidget {
public:
    using QWidget::QWidget;
    virtual void enter() {}
    virtual void leave() {}
};

} // namespace varnel

#pragma once
#include <QMdiSubWindow>
#include <QPointer>
#include <functional>

class CMorvetDoc;
class CMorvetView;

// A document window: holds exactly one view of its document.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(CMorvetDoc* pDoc, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CMorvetView* View() const;
    CMorvetDoc* Document() const { return m_pDocument; }
    // True from the moment the window has agreed to close.
    bool IsClosing() const { return m_bClosing; }

    // Asked before the window closes; false keeps it open.
    std::function<bool(CChildFrame*)> canClose;
    // Told once the window has closed, while its view still exists.
    std::function<void(CChildFrame*)> onClosed;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SetSystemMenuPrompts();

    CMorvetDoc* m_pDocument;
    QPointer<CMorvetView> m_pView;
    bool m_bClosed = false;
    bool m_bClosing = false;
};

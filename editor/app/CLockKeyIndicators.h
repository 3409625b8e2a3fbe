#pragma once
#include <QObject>
#include <functional>

class QLabel;
class QStatusBar;

// The CAP, NUM and SCRL panes of the status bar. Each shows its text while its
// lock is on and stays blank, at the same width, while it is off.
//
// Under X11 the state comes from the keyboard's indicators; elsewhere the
// panes follow the lock keys pressed while the program runs.
class CLockKeyIndicators : public QObject {
    Q_OBJECT
public:
    enum Lock { Caps = 1, Num = 2, Scroll = 4 };

    explicit CLockKeyIndicators(QStatusBar* bar);
    ~CLockKeyIndicators() override;

    // Replaces where the state comes from (a mask of Lock values).
    void SetStateSource(std::function<int()> source);
    void Refresh();

    QLabel* Pane(Lock lock) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static std::function<int()> X11StateSource();

    QLabel* m_caps;
    QLabel* m_num;
    QLabel* m_scroll;
    std::function<int()> m_source;
    int m_tracked = 0;
};

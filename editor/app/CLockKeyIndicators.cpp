#include "app/CLockKeyIndicators.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <dlfcn.h>

namespace {

QLabel* makePane(QStatusBar* bar, const QString& text) {
    auto* label = new QLabel(bar);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 12);
    label->setProperty("indicatorText", text);
    bar->addPermanentWidget(label);
    return label;
}

// libX11 is loaded at run time: the program also runs where there is no X
// server (offscreen, Wayland) and must not need the library there.
struct X11Indicators {
    using Display = void;
    using InternAtom = unsigned long (*)(Display*, const char*, int);
    using GetNamedIndicator = int (*)(Display*, unsigned long, int*, int*, void*, int*);

    void* library = nullptr;
    InternAtom internAtom = nullptr;
    GetNamedIndicator getNamedIndicator = nullptr;

    X11Indicators() {
        library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
        if (!library)
            return;
        internAtom = reinterpret_cast<InternAtom>(dlsym(library, "XInternAtom"));
        getNamedIndicator =
            reinterpret_cast<GetNamedIndicator>(dlsym(library, "XkbGetNamedIndicator"));
    }
    bool usable() const { return internAtom && getNamedIndicator; }

    bool isOn(Display* display, const char* name) const {
        const unsigned long atom = internAtom(display, name, 0);
        int on = 0;
        if (atom == 0 || !getNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
            return false;
        return on != 0;
    }
};

} // namespace

CLockKeyIndicators::CLockKeyIndicators(QStatusBar* bar) : QObject(bar) {
    m_caps = makePane(bar, QStringLiteral("CAP"));
    m_num = makePane(bar, QStringLiteral("NUM"));
    m_scroll = makePane(bar, QStringLiteral("SCRL"));
    m_source = X11StateSource();
    if (!m_source) {
        m_source = [this] { return m_tracked; };
        qApp->installEventFilter(this);
    }
    Refresh();
}

CLockKeyIndicators::~CLockKeyIndicators() {
    qApp->removeEventFilter(this);
}

std::function<int()> CLockKeyIndicators::X11StateSource() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display())
        return {};
    static const X11Indicators indicators;
    if (!indicators.usable())
        return {};
    return [x11] {
        void* display = x11->display();
        int state = 0;
        if (indicators.isOn(display, "Caps Lock"))
            state |= Caps;
        if (indicators.isOn(display, "Num Lock"))
            state |= Num;
        if (indicators.isOn(display, "Scroll Lock"))
            state |= Scroll;
        return state;
    };
}

void CLockKeyIndicators::SetStateSource(std::function<int()> source) {
    m_source = std::move(source);
    Refresh();
}

void CLockKeyIndicators::Refresh() {
    const int state = m_source ? m_source() : 0;
    for (QLabel* pane : {m_caps, m_num, m_scroll}) {
        const Lock lock = pane == m_caps ? Caps : pane == m_num ? Num : Scroll;
        const QString text =
            (state & lock) ? pane->property("indicatorText").toString() : QString();
        if (pane->text() != text)
            pane->setText(text);
    }
}

QLabel* CLockKeyIndicators::Pane(Lock lock) const {
    return lock == Caps ? m_caps : lock == Num ? m_num : m_scroll;
}

bool CLockKeyIndicators::eventFilter(QObject* watched, QEvent* event) {
    // Only consulted when the windowing system cannot be asked. A real key
    // press reaches its window once before it travels through the widgets.
    if (event->type() == QEvent::KeyPress && watched->isWindowType()) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_CapsLock:
            m_tracked ^= Caps;
            break;
        case Qt::Key_NumLock:
            m_tracked ^= Num;
            break;
        case Qt::Key_ScrollLock:
            m_tracked ^= Scroll;
            break;
        default:
            return false;
        }
        Refresh();
    }
    return QObject::eventFilter(watched, event);
}

#include "view/Clipboard.h"

#include "object/CPrimitive.h"

std::vector<CPrimitive*> g_clipboard;

void DestroyClipboardElements() {
    for (CPrimitive* prim : g_clipboard)
        delete prim;
    g_clipboard.clear();
    g_clipboard.shrink_to_fit();
}

namespace {
// Without a main frame (tests, a failed start) nobody else frees the copies;
// defined after g_clipboard, so it is destroyed before it.
struct ClipboardReaper {
    ~ClipboardReaper() { DestroyClipboardElements(); }
} s_reaper;
} // namespace

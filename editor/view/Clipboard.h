#pragma once
#include <vector>

class CPrimitive;

// The program's own clipboard: deep copies of elements, in the order they were
// selected when copied. Shared by every view of every document and kept until
// the program ends; the system clipboard is never used.
extern std::vector<CPrimitive*> g_clipboard;

// Destroys every element the clipboard holds and empties it. The main frame
// calls it when it is destroyed.
void DestroyClipboardElements();

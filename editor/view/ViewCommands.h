#pragma once

class CCmdUI;
class CMorvetView;

// Command handlers of the view that live outside its class, split by menu.

// Enables Clear, Cut, Copy, Move back and Move Forward: each needs a selection.
void OnUpdateHasSelection(CMorvetView& view, CCmdUI* pCmdUI);

void OnObjectSpin(CMorvetView& view);
void OnObjectProperties(CMorvetView& view);
void OnObjectResize(CMorvetView& view);
void OnObjectRotate(CMorvetView& view);
void OnObjectFlipHorizontal(CMorvetView& view);
void OnObjectFlipVertical(CMorvetView& view);
// Enables Coordinates: exactly one element selected, of a kind the dialog shows.
void OnUpdateObjectCoordinates(CMorvetView& view, CCmdUI* pCmdUI);
void OnObjectCoordinates(CMorvetView& view);

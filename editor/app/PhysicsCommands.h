#pragma once

class CMainFrame;
class CPhysicsPanel;
class CUnitsPerMetre;
struct CShellPrompts;

// View > Physics Panel, Object > Center of Mass at Centroid, File > Export
// and Object > Simulate, all at the program's one scale.
void RegisterPhysicsCommands(CMainFrame& frame, CPhysicsPanel& panel, CUnitsPerMetre& units,
                             CShellPrompts& prompts);

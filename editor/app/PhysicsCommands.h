#pragma once

class CMainFrame;
class CPhysicsPanel;
class CUnitsPerMetre;
class QSettings;
struct CShellPrompts;

// View > Physics Panel, Object > Center of Mass at Centroid, File > Export
// and Object > Simulate, all at the program's one scale; settings remembers
// the last export's format and pixels per unit.
void RegisterPhysicsCommands(CMainFrame& frame, CPhysicsPanel& panel, CUnitsPerMetre& units,
                             CShellPrompts& prompts, QSettings& settings);

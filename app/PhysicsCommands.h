#pragma once

class CMainFrame;
class CPhysicsPanel;
struct CShellPrompts;

// View > Physics Panel, Object > Center of Mass at Centroid and File > Export.
void RegisterPhysicsCommands(CMainFrame& frame, CPhysicsPanel& panel, CShellPrompts& prompts);

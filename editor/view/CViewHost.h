#pragma once
class CMorvetDoc;
class QPrinter;
class QString;
class QWidget;
struct GridSettings;

// What a view asks of the application that shows it: the printer that Print
// Setup sets up, the shell's file chooser and messages, and the settings that
// outlive the session. A view without a host (a test, a command-line print
// without windows) keeps to itself: no prompts, nothing remembered.
class CViewHost {
public:
    virtual ~CViewHost() = default;

    virtual QPrinter& Printer() = 0;
    // The picture file to show behind the object; empty when none was chosen.
    virtual QString ChooseImageFile(QWidget* parent) = 0;
    virtual void Warn(QWidget* parent, const QString& text) = 0;
    virtual void RememberGrid(const GridSettings& grid) = 0;
    virtual void RememberReferenceImage(CMorvetDoc* pDoc) = 0;
};

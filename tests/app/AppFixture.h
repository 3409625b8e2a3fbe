#pragma once
#include "app/CDocManager.h"
#include "app/CMainFrame.h"
#include "app/CMorvetApp.h"
#include "app/CRecentFileList.h"
#include "app/CommandLine.h"
#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "view/CMorvetView.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>
#include <memory>

// Stands in for the person at the screen: records every message and answers
// the questions from a script.
struct ScriptedUser {
    QStringList messages;
    std::deque<QMessageBox::StandardButton> answers;
    std::deque<QString> openNames;
    std::deque<QString> saveNames;
    QStringList proposedNames;

    CShellPrompts Prompts() {
        CShellPrompts p;
        p.message = [this](QWidget*, QMessageBox::Icon, const QString& text,
                           QMessageBox::StandardButtons) {
            messages.append(text);
            if (answers.empty())
                return QMessageBox::Ok;
            const auto answer = answers.front();
            answers.pop_front();
            return answer;
        };
        p.openFileName = [this](QWidget*) { return Next(openNames); };
        p.saveFileName = [this](QWidget*, const QString& proposed) {
            proposedNames.append(proposed);
            return Next(saveNames);
        };
        return p;
    }
    static QString Next(std::deque<QString>& names) {
        if (names.empty())
            return QString();
        QString name = names.front();
        names.pop_front();
        return name;
    }
};

class AppFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedUser user;
    std::unique_ptr<CMorvetApp> app;

    QString Path(const QString& name) const { return dir.filePath(name); }
    QString SettingsPath() const { return Path(QStringLiteral("settings.ini")); }

    bool Start(const QStringList& args = {}) {
        app = std::make_unique<CMorvetApp>(
            std::make_unique<QSettings>(SettingsPath(), QSettings::IniFormat), user.Prompts());
        const bool ok = app->InitInstance(ParseCommandLine(QStringList{"morvet"} + args));
        Idle();
        return ok;
    }
    void TearDown() override { app.reset(); }

    CMainFrame* Frame() const { return app->MainFrame(); }
    CMorvetView* View() const { return Frame()->ActiveView(); }
    CMorvetDoc* Doc() const { return Frame()->ActiveDocument(); }
    int DocCount() const { return int(app->DocManager().Documents().size()); }

    // Lets queued events run and brings the command states up to date.
    void Idle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (app && app->MainFrame())
            app->MainFrame()->OnIdleUpdateCmdUI();
    }

    // A document file whose bytes are what the program itself writes, so
    // that a save of its unchanged content reproduces it exactly.
    QByteArray WriteObjectFile(const QString& name, int elements = 2) {
        CMorvetDoc doc;
        doc.OnNewDocument();
        for (int i = 0; i < elements; ++i) {
            const POINT pts[3] = {{10 * i, 0}, {10 * i + 30, 5}, {10 * i, 40}};
            doc.AddElement(i % 2 ? PRIM_POLYGON : PRIM_POLYLINE, RGB(255, 10 * i, 0), 3, pts);
        }
        doc.m_shape.m_dMassDensity = 7.5;
        EXPECT_TRUE(doc.OnSaveDocument(Path(name)));
        return ReadFile(name);
    }
    QByteArray ReadFile(const QString& name) const {
        QFile f(Path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

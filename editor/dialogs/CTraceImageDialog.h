#pragma once
#include "document/ReferenceImage.h"
#include "trace/ImageTracer.h"

#include <QDialog>
#include <atomic>
#include <memory>
#include <thread>

class CTracePreview;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

// "Trace Image": traces the reference image into filled polygons, with a
// live preview of the outlines over the picture. The polygons are in object
// units, placed where the reference image shows them.
//
// A large or fine picture takes a while to trace, so tracing runs on a
// thread of its own: the dialog opens at once, shows the previous outlines
// and a busy bar with Stop while a trace runs, and enables OK only for a
// finished trace of the options shown.
class CTraceImageDialog : public QDialog {
    Q_OBJECT
public:
    explicit CTraceImageDialog(const CReferenceImage& ref, QWidget* parent = nullptr);
    ~CTraceImageDialog() override;

    // The outlines as the preview shows them now.
    const TraceResult& Result() const { return m_result; }
    TraceOptions Options() const;
    bool AddHoles() const;
    bool IsTracing() const { return m_job != nullptr; }
    // Stops a running trace before the dialog closes.
    void done(int r) override;

private:
    // One trace on the worker thread; the dialog reads result only after
    // the thread has ended.
    struct Job {
        TraceOptions options;
        int generation = 0;
        std::atomic<bool> stop{false};
        TraceResult result;
    };

    void Retrace();
    void Start();
    void Finished();
    void Stop();
    void ShowResult();

    CReferenceImage m_ref;
    TraceResult m_result;
    // Bumped whenever the options change; a job of an older generation is
    // out of date when it ends.
    int m_generation = 0;
    bool m_current = false; // m_result belongs to the options shown
    std::shared_ptr<Job> m_job;
    std::thread m_thread;
    QComboBox* m_pChannel;
    QSpinBox* m_pThreshold;
    QCheckBox* m_pInvert;
    QDoubleSpinBox* m_pTolerance;
    QDoubleSpinBox* m_pMinArea;
    QLabel* m_pHoles;
    QCheckBox* m_pAddHoles;
    QLabel* m_pSummary;
    CTracePreview* m_pPreview;
    QPushButton* m_pOk;
    QProgressBar* m_pBusy;
    QPushButton* m_pStop;
};

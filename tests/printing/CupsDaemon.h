#pragma once
// A print server of our own for a test: Debian's cupsd with its configuration,
// spool and logs in a temporary folder, listening only on a local socket
// there, with two raw queues, "accepting" and "rejecting", that print to
// /dev/null. Its filters run as lp, as cupsd will not run them as root.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cups/cups.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

class CupsDaemon {
public:
    ~CupsDaemon() { Stop(); }

    // Empty when the server runs and answers; otherwise why it does not.
    QString Start() {
        if (!QFileInfo(kProgram).isExecutable())
            return QStringLiteral("%1 is not installed").arg(kProgram);
        if (!m_dir.isValid())
            return QStringLiteral("no temporary folder");
        const QString d = m_dir.path();
        for (const char* sub : {"etc", "spool", "spool/tmp", "cache", "state", "log"})
            QDir(d).mkpath(sub);
        const bool root = geteuid() == 0;
        const passwd* lp = getpwnam("lp");
        if (root && !lp)
            return QStringLiteral("there is no user lp to run the filters as");
        // The filters, running as lp, reach the spool through the folder.
        QFile::setPermissions(d, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                     QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                     QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                     QFileDevice::ExeOther);
        if (root)
            for (const char* sub : {"spool", "spool/tmp", "cache", "state"})
                if (chown(QFile::encodeName(d + "/" + sub).constData(), 0, lp->pw_gid) != 0)
                    return QStringLiteral("cannot hand %1 to lp").arg(sub);
        chmod(QFile::encodeName(d + "/spool/tmp").constData(), 01777);
        chmod(QFile::encodeName(d + "/spool").constData(), 0770);
        chmod(QFile::encodeName(d + "/cache").constData(), 0770);

        const QString user =
            root ? QStringLiteral("lp") : QString::fromLocal8Bit(getpwuid(geteuid())->pw_name);
        const QString group =
            root ? QStringLiteral("lp") : QString::fromLocal8Bit(getgrgid(getegid())->gr_name);
        Write("cups-files.conf",
              QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                             "CacheDir %1/cache\nStateDir %1/state\nAccessLog %1/log/access_log\n"
                             "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\n"
                             "User %2\nGroup %3\nSystemGroup root\nFileDevice Yes\n")
                  .arg(d, user, group));
        Write("cupsd.conf", QStringLiteral("Listen %1\nLogLevel warn\nPrintcap %2/printcap\n"
                                           "Browsing No\nWebInterface No\nDefaultAuthType None\n"
                                           "<Location />\nOrder allow,deny\nAllow all\n"
                                           "</Location>\n<Policy default>\n<Limit All>\n"
                                           "Order deny,allow\n</Limit>\n</Policy>\n")
                                .arg(Socket(), d));
        Write("etc/printers.conf",
              QStringLiteral("<Printer accepting>\nState Idle\nAccepting Yes\nShared No\n"
                             "DeviceURI file:///dev/null\n</Printer>\n"
                             "<Printer rejecting>\nState Idle\nAccepting No\nShared No\n"
                             "DeviceURI file:///dev/null\n</Printer>\n"));

        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(kProgram, {"-f", "-c", d + "/cupsd.conf", "-s", d + "/cups-files.conf"});
        if (!m_process.waitForStarted(5000))
            return QStringLiteral("cupsd did not start: %1").arg(m_process.errorString());
        cupsSetServer(QFile::encodeName(Socket()).constData());
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 15000 && !m_process.waitForFinished(50)) {
            if (QFileInfo::exists(Socket())) {
                if (cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, "accepting", nullptr)) {
                    cupsFreeDests(1, dest);
                    return QString();
                }
            }
        }
        const QString why =
            QStringLiteral("cupsd did not come up: %1 %2")
                .arg(QString::fromLocal8Bit(m_process.readAll()), Log("error_log").right(2000));
        Stop();
        return why;
    }

    void Stop() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(10000)) {
                m_process.kill();
                m_process.waitForFinished();
            }
        }
        cupsSetServer(nullptr);
    }

    QString Socket() const { return m_dir.filePath("cups.sock"); }
    QString Log(const char* name) const {
        QFile f(m_dir.filePath(QStringLiteral("log/%1").arg(name)));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
    }
    // The jobs the queue took, finished or not.
    int JobCount(const char* queue) const {
        cups_job_t* jobs = nullptr;
        const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue, 0, CUPS_WHICHJOBS_ALL);
        cupsFreeJobs(n, jobs);
        return n;
    }

private:
    static constexpr const char* kProgram = "/usr/sbin/cupsd";
    void Write(const char* name, const QString& text) {
        QFile f(m_dir.filePath(name));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(text.toUtf8());
    }

    QTemporaryDir m_dir;
    QProcess m_process;
};

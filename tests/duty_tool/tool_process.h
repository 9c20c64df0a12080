#pragma once
// Runs the real varnok-duty executable as a child process in a fresh home folder, with an English
// locale and no display: no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <stdexcept>

struct ToolRun {
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
};

class ToolHome {
public:
    ToolHome() { QDir(home_.path()).mkpath(QStringLiteral(".config")); }

    QString Path() const { return home_.path(); }
    QString ConfigHome() const { return home_.filePath(QStringLiteral(".config")); }

    // Puts a settings file where the program looks first.
    void WriteSettings(const QByteArray& ini) const {
        const QString folder = ConfigHome() + QStringLiteral("/Orvane/Varnok");
        QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("/vnTolmere.ini"));
        if (!file.open(QIODevice::WriteOnly) || file.write(ini) != ini.size())
            throw std::runtime_error("cannot write the settings fixture");
    }

    // Puts a days file beside the settings file.
    void WriteDays(const QByteArray& ics) const {
        QDir().mkpath(ConfigHome() + QStringLiteral("/Orvane/Varnok"));
        QFile file(DaysFile());
        if (!file.open(QIODevice::WriteOnly) || file.write(ics) != ics.size())
            throw std::runtime_error("cannot write the days fixture");
    }
    QString DaysFile() const { return ConfigHome() + QStringLiteral("/Orvane/Varnok/vnTolmere-days.ics"); }
    QByteArray DaysBytes() const {
        QFile file(DaysFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QProcessEnvironment Environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SOURCE_DATE_EPOCH",
                                 "LANGUAGE", "LANG", "LC_TIME", "XDG_DOCUMENTS_DIR"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("HOME"), Path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), ConfigHome());
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
        return environment;
    }

    // childSetup runs in the child between fork and exec (a resource limit, a signal disposition).
    ToolRun Run(const QStringList& arguments, const QProcessEnvironment& environment,
                const std::function<void()>& childSetup = {}) const {
        QProcess process;
        process.setProcessEnvironment(environment);
        if (childSetup)
            process.setChildProcessModifier(childSetup);
        process.setWorkingDirectory(Path());
        process.start(QStringLiteral(VARNOK_DUTY_EXECUTABLE), arguments);
        ToolRun run;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return run;
        run.ExitCode = process.exitCode();
        run.Out = process.readAllStandardOutput();
        run.Err = process.readAllStandardError();
        return run;
    }
    ToolRun Run(const QStringList& arguments) const { return Run(arguments, Environment()); }

private:
    QTemporaryDir home_;
};

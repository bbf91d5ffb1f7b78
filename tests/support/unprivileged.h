#pragma once

#include <QFile>
#include <QString>

#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Runs `attempt` as an unprivileged user and returns the text it gave back.
// Root ignores permission bits, so when the tests run as root the attempt runs
// in a child process that drops to "nobody" and reports through a pipe; what
// it changed in memory stays in the child.
inline std::string asUnprivilegedUser(const std::function<std::string()>& attempt)
{
    if (geteuid() != 0)
        return attempt();
    int channel[2];
    if (pipe(channel) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const std::string result = setgid(65534) == 0 && setuid(65534) == 0 ? attempt() : "no drop";
        const ssize_t written = write(channel[1], result.data(), result.size());
        _exit(written == ssize_t(result.size()) ? 0 : 1);
    }
    close(channel[1]);
    std::string result;
    char buffer[256];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, std::size_t(n));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return result;
}

// Makes `folder` readable and enterable by everyone and writable by no one
// for as long as it lives.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& folder)
        : m_folder(folder), m_permissions(QFile::permissions(folder))
    {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                          QFileDevice::ReadOther | QFileDevice::ExeOther);
    }
    ~ReadOnlyFolder() { QFile::setPermissions(m_folder, m_permissions); }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    QString m_folder;
    QFileDevice::Permissions m_permissions;
};

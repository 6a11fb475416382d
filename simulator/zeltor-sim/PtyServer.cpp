#include "PtyServer.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace simulator {

std::unique_ptr<PtyServer> PtyServer::open(QString& why)
{
    const auto failure = [&why](const char* step) {
        why = QStringLiteral("%1: %2").arg(QString::fromLatin1(step), QString::fromLocal8Bit(std::strerror(errno)));
        return nullptr;
    };
    events::UniqueFd master(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!master)
        return failure("posix_openpt");
    if (::grantpt(master.get()) != 0)
        return failure("grantpt");
    if (::unlockpt(master.get()) != 0)
        return failure("unlockpt");
    char name[128] = {};
    if (::ptsname_r(master.get(), name, sizeof name) != 0)
        return failure("ptsname_r");
    events::UniqueFd slave(::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!slave)
        return failure("open slave");
    termios raw{};
    if (::tcgetattr(slave.get(), &raw) != 0)
        return failure("tcgetattr");
    ::cfmakeraw(&raw);
    if (::tcsetattr(slave.get(), TCSANOW, &raw) != 0)
        return failure("tcsetattr");
    return std::unique_ptr<PtyServer>(new PtyServer(std::move(master), std::move(slave), QString::fromLocal8Bit(name)));
}

PtyServer::PtyServer(events::UniqueFd master, events::UniqueFd slave, QString devicePath)
    : m_master(std::move(master)), m_slave(std::move(slave)), m_devicePath(std::move(devicePath)),
      m_readable(m_master.get(), QSocketNotifier::Read), m_writable(m_master.get(), QSocketNotifier::Write)
{
    m_writable.setEnabled(false);
    m_clock.start();
    m_paceTimer.setSingleShot(true);
    m_paceTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_readable, &QSocketNotifier::activated, [this] { readAvailable(); });
    QObject::connect(&m_writable, &QSocketNotifier::activated, [this] { flush(); });
    QObject::connect(&m_paceTimer, &QTimer::timeout, [this] { flush(); });
}

void PtyServer::write(const QByteArray& bytes)
{
    m_backlog.append(bytes.left(std::max<qsizetype>(0, kMaxBacklogBytes - m_backlog.size())));
    flush();
}

void PtyServer::readAvailable()
{
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(m_master.get(), buffer, sizeof buffer);
        if (count > 0) {
            if (m_reader)
                m_reader(QByteArray(buffer, static_cast<qsizetype>(count)));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        return; // nothing more for now (EAGAIN), or no client on the other side
    }
}

void PtyServer::flush()
{
    // Waiting for the pty to take more, or for the line to be ready for the next byte.
    bool ptyFull = false;
    while (!m_backlog.isEmpty()) {
        const int64_t allowed = m_pace.allowance(m_clock.elapsed(), m_backlog.size());
        if (allowed <= 0)
            break;
        const ssize_t count = ::write(m_master.get(), m_backlog.constData(), static_cast<size_t>(allowed));
        if (count > 0) {
            m_backlog.remove(0, static_cast<qsizetype>(count));
            m_pace.spend(count);
        } else if (count < 0 && errno == EINTR) {
            continue;
        } else {
            ptyFull = true;
            break;
        }
    }
    m_writable.setEnabled(ptyFull);
    if (!ptyFull && !m_backlog.isEmpty())
        m_paceTimer.start(m_pace.msUntilNextByte());
}

} // namespace simulator

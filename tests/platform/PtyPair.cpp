#include "PtyPair.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>

PtyPair::PtyPair()
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return;
    const char* slaveName = nullptr;
    termios raw{};
    if (grantpt(master) != 0 || unlockpt(master) != 0 || (slaveName = ptsname(master)) == nullptr
        || tcgetattr(master, &raw) != 0) {
        ::close(master);
        return;
    }
    cfmakeraw(&raw);
    tcsetattr(master, TCSANOW, &raw);
    m_devicePath = QString::fromLocal8Bit(slaveName);
    m_slaveHold = ::open(slaveName, O_RDWR | O_NOCTTY);
    m_master = master;
}

PtyPair::~PtyPair()
{
    closeMaster();
    if (m_slaveHold >= 0)
        ::close(m_slaveHold);
}

void PtyPair::write(const QByteArray& bytes) const
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (n <= 0)
            return;
        written += n;
    }
}

QByteArray PtyPair::read(qsizetype size) const
{
    QByteArray bytes;
    while (bytes.size() < size) {
        pollfd ready{m_master, POLLIN, 0};
        if (::poll(&ready, 1, 1000) <= 0)
            break;
        char chunk[256];
        const ssize_t n = ::read(m_master, chunk, sizeof chunk);
        if (n <= 0)
            break;
        bytes.append(chunk, n);
    }
    return bytes;
}

void PtyPair::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

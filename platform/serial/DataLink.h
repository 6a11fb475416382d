#pragma once

#include "com/Object.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

// The host's serial communication library, as the instrument link uses it.
namespace serial {

// Errors of the communication library, raised by the link's calls.
inline constexpr int32_t kErrPortOpenFailed = static_cast<int32_t>(0x8004A424);
inline constexpr int32_t kErrLinkFailure = static_cast<int32_t>(0x8004A425);
inline constexpr const char* kErrorSource = "DataLink";

// Link state, as IDataLink::State reports it.
enum LinkState : int32_t {
    edlsClosed = 0,
    edlsOpen = 1,
    edlsFailed = 2, // the port went away or reported an error
};

// Link mode: command/reply frames ending at an unescaped carriage return, or fixed-size frames.
enum LinkMode : int32_t {
    edlmCommand = 0,
    edlmStreaming = 1,
};

// Streaming mode: whether a frame begins with the first of `bytes` (one frame's length of them).
// `inStep` tells where they are: true where the last frame ended (or where the stream began),
// false while bytes that began no frame are being dropped.
using FrameStart = std::function<bool(QByteArrayView bytes, bool inStep)>;

// One open serial link. Receive never blocks: it returns one complete frame or an empty array.
class IDataLink : public virtual com::Object {
public:
    virtual int32_t BufferCount() const = 0;
    virtual int32_t State() const = 0;
    virtual int32_t LinkMode() const = 0;
    virtual void setLinkMode(int32_t mode) = 0;
    virtual void setFrameSize(int32_t bytes) = 0;
    // Streaming mode: with a frame start set, a frame is cut only where one begins and the next
    // one begins right after it, and bytes where none begins are dropped up to the next place
    // where one does, so that a stray or lost byte costs a frame or two instead of the rest of the
    // stream, and noise that merely starts like a frame is not taken for one. The last frame
    // before a pause in the stream comes once the line has been quiet briefly. Without a frame
    // start (the default), every FrameSize bytes are a frame.
    virtual void setFrameStart(FrameStart isFrameStart) = 0;
    virtual void Close() = 0;
    virtual QByteArray Receive() = 0;
    virtual void Send(const QByteArray& frame) = 0;
};

class IPortFinder : public virtual com::Object {
public:
    // Finds the port of the named instrument; `id` 0 means none was found.
    virtual void FindInstrument(const QString& name, const QString& detail, int32_t& id) = 0;
    // Opens the port found as `id` with a settings text such as "38400,O,8,1".
    virtual std::shared_ptr<IDataLink> OpenPort(int32_t id, const QString& settings) = 0;
};

class IDataLinkManager : public virtual com::Object {
public:
    virtual std::shared_ptr<IPortFinder> Ports() = 0;
};

// The library's one global manager, created on first use; tests may install another.
std::shared_ptr<IDataLinkManager> dataLinkManager();
void installDataLinkManager(std::shared_ptr<IDataLinkManager> manager);

} // namespace serial

#pragma once

#include "VtiTypes.h"

#include "com/Object.h"
#include "com/Value.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

namespace Nelvar {
class IInstrumentInfo;
}
namespace serial {
class IDataLink;
}

namespace ZeltorVTI {

class CParameterView;
class MTIGlobal;

// The one connection between the system and the instrument. Only the global object GMTI creates
// it. Members that talk to the instrument catch every failure, show one message box that explains
// it and raise eeVTI_Error to the caller; the accessors, EndRemote, SetDataLinkMode and StopTest
// ignore failures. While a reply is awaited the message pump runs, so other calls may arrive in
// between; the connection stays alive until the outermost call on it has returned.
class CZeltorVTI final : public com::Object, public std::enable_shared_from_this<CZeltorVTI> {
public:
    ~CZeltorVTI() override;

    int32_t BufferCount() const;
    QString FWVersion() const;
    int32_t FWVersionMajor() const { return m_firmwareMajor; }
    QString MTIName() const;
    QString Operator() const;
    QString SerialNo() const;
    // The serial link's own state, passed through; 0 without a link.
    int32_t State() const;
    // The connection's state (EVtiState).
    EVtiState ConnectionState() const { return m_state; }

    std::shared_ptr<Nelvar::IInstrumentInfo> StartRemote();
    void EndRemote();
    void SetDataLinkMode(int32_t linkMode, int32_t dataSize = 0);
    // The start command's parameters: the values in order, or the elements of one array value.
    void StartTest(const std::vector<com::Value>& params);
    void GetTestResult(int32_t& testType, int32_t& seqNo, com::Value& result);
    void StopTest();

    com::Value GetParameterView(int32_t slotNo);
    // The descriptions of the instrument's slots, slot 1 first, empty for an empty slot; never
    // more than the instrument's nine.
    com::Value GetParameterViewList();
    void UploadParameterView(const std::shared_ptr<CParameterView>& view, bool fDelete = false);
    com::Value GetMTISettings();
    void ApplyMTISettings(const QString& sOperator, const QString& sEstablishment, const QString& sSerialNumber);

private:
    friend class MTIGlobal;
    struct Reply {
        QString command;
        QStringList parameters;
    };

    CZeltorVTI() = default;
    static std::shared_ptr<CZeltorVTI> create();

    void OpenLink();
    void CloseLink();
    serial::IDataLink& link() const;
    void send(const QString& command, const com::Value& parameters = {});
    Reply ReceiveReply();
    Reply exchange(const QString& command, const com::Value& parameters, const QString& expectedReply);
    void ParseRemoteReply(const Reply& reply);

    // Runs an instrument command that needs the idle state: raises for the not-connected and busy
    // states, returns `otherwise` in the other states, and takes the failure path on any failure.
    template <typename Command>
    com::Value whenIdle(Command&& command, const com::Value& otherwise = {});
    void raiseForWrongState() const;
    [[noreturn]] void failurePath();

    std::shared_ptr<serial::IDataLink> m_link;
    EVtiState m_state = evtiNotConnected;
    QString m_operator;
    std::shared_ptr<Nelvar::IInstrumentInfo> m_instrumentInfo;
    int32_t m_firmwareMajor = 0;
};

} // namespace ZeltorVTI

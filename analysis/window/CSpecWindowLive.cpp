#include "analysis/window/CSpecWindow.h"
#include "analysis/window/SpecWindowPrefs.h"
#include "analysis/window/WindowMessage.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/HostPort.h"
#include "sources/audio/CSoundInSrc.h"
#include "sources/lines/CLineTCPSrc.h"
#include "sources/lines/CTelkSrc.h"
#include "sources/ports/CIPAddress.h"
#include "sources/ports/CIPPORTDIALOG.h"
#include "sources/ports/CSerPortDlg.h"
#include "sources/ports/CSerialPortSpec.h"
#include "sources/ports/CTCPPort.h"

#include <cctype>
#include <cstdio>
#include <memory>
#include <string>

namespace {

// The chooser's own entries, in this order above the serial ports.
constexpr uint32_t kSoundInItem = 12;
constexpr uint32_t kTcpItem = 13;
constexpr uint32_t kAnalyserItem = 14;
// How to choose another sound input, said after its failure.
constexpr uint32_t kSoundInChoiceItem = 19;
// Said with the address when the TCP peer refused the connection or closed it.
constexpr uint32_t kOpenFailedItem = 7;
constexpr uint32_t kPeerClosedItem = 21;
// Why a connection attempt failed, said on a line of its own after the address.
constexpr uint32_t kRefusedItem = 22;
constexpr uint32_t kUnreachableItem = 23;
constexpr uint32_t kTimedOutItem = 24;
// The error texts follow the results of CreateSource: item result + 5.
constexpr uint32_t kErrorItemBase = 5;
constexpr const char* kAddressExample = "127.0.0.1:51000";
constexpr std::string_view kWiimotePrefix = "Wiimote ";

enum CreateResult : int32_t { kCreated = 0, kNoSuchSource = 1, kOpenFailed = 2, kPortBusy = 3 };
// What a serial port's open reports when another program holds the device.
constexpr int32_t kSerialBusy = 2;

std::string Text(uint32_t item)
{
    return std::string(WindowText(item).View());
}

CSerialPortSpec PortNamed(const LStringRef& name)
{
    CSerialPortSpec location;
    location.name = name;
    return location;
}

LStringRef WindText(const LObject* record, uint8_t field)
{
    return record ? record->GetString(field) : LStringRef();
}

int32_t SerialResult(int32_t openResult)
{
    return openResult == kSerialBusy ? kPortBusy : kOpenFailed;
}

// Why a connection attempt failed in a person's words; empty for a reason without words of
// its own.
std::string ConnectFailureText(plat::IoError failure)
{
    switch (failure) {
    case plat::IoError::Refused: return Text(kRefusedItem);
    case plat::IoError::Unreachable: return Text(kUnreachableItem);
    case plat::IoError::TimedOut: return Text(kTimedOutItem);
    default: return {};
    }
}

// One line on the standard error, the reason as a clause after the address.
void ReportConnectFailure(const std::string& address, std::string reason)
{
    if (!reason.empty()) {
        reason[0] = char(std::tolower(static_cast<unsigned char>(reason[0])));
        if (reason.back() == '.')
            reason.pop_back();
        reason.insert(0, ": ");
    }
    std::fprintf(stderr, "sonalyx: cannot connect to %s%s\n", address.c_str(), reason.c_str());
}

} // namespace

void CSpecWindow::SelectSource()
{
    for (;;) {
        CSerPortDlg chooser(this);
        int32_t at = 0;
        for (uint32_t item : {kSoundInItem, kTcpItem, kAnalyserItem})
            chooser.Popup().InsertItem(Text(item), at++);
        chooser.Popup().InsertItem(std::string(), at);   // the separator above the serial ports
        chooser.SelectPort(std::string(fSourceName.View()));
        if (!chooser.Run())
            return;
        const LStringRef chosen(chooser.SelectedName());
        LObject::SetString(ViewPrefs(), nullptr, kWndsPort, chosen, LObject::Merge::No);
        fSourceName = chosen;
        if (chosen.View() == Text(kTcpItem) && !ChooseAddress())
            continue;
        if (chosen.View() == Text(kAnalyserItem) && !ChooseAnalyserPort())
            continue;
        const int32_t result = CreateSource();
        if (result == kCreated)
            return;
        ShowWindowMessage(this, uint32_t(result) + kErrorItemBase, fSourceFailure);
    }
}

bool CSpecWindow::ChooseAddress()
{
    CIPPORTDIALOG dialog(this, true, LStringRef(kAddressExample));
    dialog.SetAddress(WindText(fWindowRecord, kWindTcpa));
    if (dialog.RunModal() != LModalDialog::kDefault)
        return false;
    LObject::SetString(fWindowRecord, nullptr, kWindTcpa, dialog.Address(), LObject::Merge::No);
    return true;
}

bool CSpecWindow::ChooseAnalyserPort()
{
    CSerPortDlg ports(this);
    ports.SelectPort(std::string(WindText(fWindowRecord, kWindTlpt).View()));
    if (!ports.Run())
        return false;
    LObject::SetString(fWindowRecord, nullptr, kWindTlpt, LStringRef(ports.SelectedName()), LObject::Merge::No);
    return true;
}

LStringRef CSpecWindow::LiveSourceName() const
{
    return dynamic_cast<const CLineTCPSrc*>(fLive.get()) ? WindText(fWindowRecord, kWindTcpa) : fSourceName;
}

int32_t CSpecWindow::CreateSource()
{
    CloseLiveSource();
    fSourceFailure.clear();
    const std::string name(fSourceName.View());
    int32_t result = kCreated;
    if (name == Text(kSoundInItem)) {
        auto source = std::make_unique<CSoundInSrc>(this, &fQueue);
        CSoundInSrc& sound = *source;
        SetLiveSource(std::move(source));
        UseLiveSource();
        result = sound.Open() == 0 ? kCreated : kOpenFailed;
        if (result != kCreated)
            fSourceFailure = name + " " + sound.OpenFailure() + "\n" + Text(kSoundInChoiceItem);
    } else if (name == Text(kTcpItem)) {
        auto source = std::make_unique<CLineTCPSrc>(this, &fQueue);
        CLineTCPSrc& tcp = *source;
        SetLiveSource(std::move(source));
        UseLiveSource();
        uint32_t address = 0;
        uint16_t port = 0;
        ParseHostPort(std::string(WindText(fWindowRecord, kWindTcpa).View()).c_str(), address, port);
        // An address without a port names no peer: it fails here instead of connecting nowhere.
        result = port != 0 && tcp.Connect(CIPAddress(address, port)) == 0 ? kCreated : kOpenFailed;
    } else if (name.starts_with(kWiimotePrefix)) {
        return kNoSuchSource;
    } else {
        const bool analyser = name == Text(kAnalyserItem);
        std::unique_ptr<CLineSerialSrc> source;
        if (analyser)
            source = std::make_unique<CTelkSrc>(this, &fQueue);
        else
            source = std::make_unique<CLineSerialSrc>(this, &fQueue);
        CLineSerialSrc& serial = *source;
        SetLiveSource(std::move(source));
        UseLiveSource();
        const LStringRef port = analyser ? WindText(fWindowRecord, kWindTlpt) : fSourceName;
        const int32_t opened = serial.Open(PortNamed(port));
        result = opened == 0 ? kCreated : SerialResult(opened);
    }
    if (result != kCreated) {
        CloseLiveSource();
        return result;
    }
    ApplyRateToSource();
    SetSourceKind(kLiveSource);
    return kCreated;
}

bool CSpecWindow::HandleLinkClosed(const LMessage& msg)
{
    if (StrEqual(msg.type, LTimer::msgExpire) && msg.subject == &fLostLinkTimer) {
        CloseLostLink();
        return true;
    }
    const auto* tcp = dynamic_cast<const CLineTCPSrc*>(fLive.get());
    if (!tcp || !StrEqual(msg.type, CTCPPort::msgClose) || msg.subject != tcp->Port())
        return false;
    // The port reporting belongs to the source: it goes once this report is over, on the
    // main loop's next turn.
    fLostLinkTimer.Start(0);
    return true;
}

void CSpecWindow::CloseLostLink()
{
    const auto* tcp = dynamic_cast<const CLineTCPSrc*>(fLive.get());
    if (!tcp)
        return;
    // Nothing more will arrive: a recording ends with what reached its file, the Live and Rec
    // buttons go off and disabled, and the person hears why; Source… chooses again.
    const bool closed = tcp->WasConnected();
    const plat::IoError failure = tcp->Port() ? tcp->Port()->ConnectFailure() : plat::IoError::None;
    const std::string address(WindText(fWindowRecord, kWindTcpa).View());
    const std::string reason = closed ? std::string() : ConnectFailureText(failure);
    if (tcp->IsRecording())
        StopRecord();
    CloseLiveSource();
    if (!closed)
        ReportConnectFailure(address, reason);
    const std::string detail = reason.empty() ? address : address + "\n" + reason;
    ShowWindowMessage(this, closed ? kPeerClosedItem : kOpenFailedItem, detail);
}

#pragma once

#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>

#include "dns/reply_bytes.h"
#include "net/wsk.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quillet::platform {
struct Platform;
}
namespace quillet::actions {
class FormTempHost;
}

namespace quillet::app {

class FrameChrome;

// Where queries go. The program uses the presets and port 53; tests pass a loopback server.
struct ServerSettings {
    QStringList servers;  // the rows of the server list; the second is selected at start
    quint16 port = 53;

    [[nodiscard]] static ServerSettings Presets();
};

// The query window.
class FrmMain : public QWidget {
    Q_OBJECT

public:
    explicit FrmMain(platform::Platform& platform,
                     ServerSettings settings = ServerSettings::Presets(),
                     QWidget* parent = nullptr);
    ~FrmMain() override;

    // The query action: validate, build and send one datagram. Runs on 查询 and on Enter.
    void QueryAction();
    // Shows what the codec makes of one reply given as reply text.
    void DecodeDNSAnswer(const QString& replyText);
    void ShowAboutBox();

    QLineEdit* Txt_Domain = nullptr;
    QPushButton* CMD_Send = nullptr;
    QListWidget* List_Show = nullptr;
    QComboBox* Comb_DNS = nullptr;
    QComboBox* Comb_Sel = nullptr;
    std::array<QLabel*, 3> LabControlBox{};
    QLineEdit* Txt_Show = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;

    net::Wsk wsk;
    dns::ReplyBytes ReplyBytes;

private:
    void CreateControls();
    void FormLoad();
    void WSK_Inz();
    // The selected server address without leading or trailing spaces.
    [[nodiscard]] QString ServerText() const;
    void ArrivalHandler();
    void PostEmptyAnswerMessage();

    platform::Platform& platform_;
    ServerSettings settings_;
    bool emptyAnswerPending_ = false;
    // The about box, which also owns the results list's context menu. The list's behaviour and
    // every box hold a share of it, so it outlives them whatever the order: Qt deletes them, as
    // children, only after this member is gone, and whatever reaches them meanwhile finds it.
    std::shared_ptr<actions::FormTempHost> aboutBox_;
    // The frame, shape, dragging and caption buttons of the frameless window.
    std::unique_ptr<FrameChrome> chrome_;
};

}  // namespace quillet::app

#include "app/frm_main.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <functional>
#include <limits>
#include <span>

#include "actions/form_temp.h"
#include "actions/results_list.h"
#include "app/accessible_controls.h"
#include "app/skin/frame_chrome.h"
#include "app/skin/skin_pictures.h"
#include "dns/domain_check.h"
#include "dns/query_builder.h"
#include "platform/modality.h"
#include "platform/platform.h"
#include "texts/qt_texts.h"
#include "texts/query_types.h"
#include "texts/reply_format.h"

namespace quillet::app {
namespace {

const QColor kBackground(236, 246, 248);
const QColor kTextColour(64, 64, 64);

[[nodiscard]] QLabel* MakeLabel(QWidget* parent, std::string_view text, QRect geometry) {
    auto* label = new QLabel(ToQString(text), parent);
    label->setGeometry(geometry);
    label->setFocusPolicy(Qt::NoFocus);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

// Its list opens by a click, a key or a screen reader's press, but not while a modal box keeps
// input from the window. (No Q_OBJECT: to screen readers it is a QComboBox like any other.)
class DropDown final : public QComboBox {
public:
    using QComboBox::QComboBox;
    void showPopup() override {
        if (!platform::InputBlockedByModal(*this)) QComboBox::showPopup();
    }
};

[[nodiscard]] QComboBox* MakeDropDown(QWidget* parent, QRect geometry) {
    auto* combo = new DropDown(parent);
    combo->setGeometry(geometry);
    combo->setEditable(false);  // a row can be picked, never typed
    AnnounceChosenRows(*combo);
    return combo;
}

// Runs a task once, as soon as the window's first paint is on screen: for work that the
// first look of the window does not need.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget& window, std::function<void()> task)
        : QObject(&window), task_(std::move(task)) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                task_();
                deleteLater();
            });
        }
        return false;
    }

private:
    std::function<void()> task_;
};

}  // namespace

ServerSettings ServerSettings::Presets() {
    ServerSettings settings;
    for (std::string_view server : texts::kPresetServers) {
        settings.servers << ToQString(server);
    }
    return settings;
}

FrmMain::FrmMain(platform::Platform& platform, ServerSettings settings, QWidget* parent)
    : QWidget(parent),
      wsk(static_cast<qint64>(dns::kMaxReplyBytes)),
      platform_(platform),
      settings_(std::move(settings)) {
    setWindowTitle(ToQString(texts::kWindowTitle));
    // Minimised, the window is known by its icon text, to the desktop and to screen readers.
    setWindowIconText(windowTitle());
    resize(251, 404);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBackground);
    colours.setColor(QPalette::WindowText, kTextColour);
    setPalette(colours);
    setAutoFillBackground(true);

    // Every caption, row and message here is Chinese or ASCII, which need no shaping; skipping
    // it spares loading the font's shaping tables at start-up. What the user types is shaped
    // (any script can be pasted), from just after the first paint.
    QFont knownText = font();
    knownText.setStyleStrategy(QFont::PreferNoShaping);
    setFont(knownText);

    InstallAccessibleControls();
    CreateControls();
    setWindowIcon(Pictures().icon);
    chrome_ = std::make_unique<FrameChrome>(*this, LabControlBox, platform_.windows,
                                            FrameChrome::Actions{[this] { ShowAboutBox(); }, {}});
    // Neither needs to hold up the first look of the window: a second font engine for typed
    // text, and the installed theme icon (when there is one, so the task bar matches the menu
    // entry), which means reading the theme's index.
    new AfterFirstPaint(*this, [this] {
        QFont typedText = Txt_Domain->font();
        typedText.setStyleStrategy(QFont::PreferDefault);
        Txt_Domain->setFont(typedText);
        if (QIcon::hasThemeIcon(QStringLiteral("quillet"))) {
            setWindowIcon(QIcon::fromTheme(QStringLiteral("quillet")));
        }
    });
    actions::ActionContext actionContext{platform_, List_Show, {}};
    // The about box has an icon of its own, the small one only.
    actionContext.aboutIcon.addFile(QStringLiteral(":/skin/icon16.png"), QSize(16, 16));
    aboutBox_ = std::make_shared<actions::FormTempHost>(actionContext, this);
    new actions::ResultsListBehaviour(List_Show, aboutBox_);
    connect(&wsk, &net::Wsk::DataArrival, this, &FrmMain::ArrivalHandler);
    connect(CMD_Send, &QPushButton::clicked, this, &FrmMain::QueryAction);
    connect(Txt_Domain, &QLineEdit::returnPressed, this, &FrmMain::QueryAction);
    FormLoad();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        chrome_->PlaceCentred(screen->availableGeometry());
    }
    Txt_Domain->setFocus();
}

FrmMain::~FrmMain() = default;

void FrmMain::CreateControls() {
    Txt_Domain = new QLineEdit(this);
    Txt_Domain->setGeometry(75, 110, 153, 21);
    // No length limit: a pasted text is judged whole, never silently cut to a shorter name.
    Txt_Domain->setMaxLength(std::numeric_limits<int>::max());

    CMD_Send = new QPushButton(ToQString(texts::kSendButton), this);
    CMD_Send->setGeometry(120, 140, 97, 25);
    QPalette buttonColours = CMD_Send->palette();
    buttonColours.setColor(QPalette::Button, kBackground);
    CMD_Send->setPalette(buttonColours);
    // Enter clicks the focused button as Space does; outside a dialog Qt leaves Enter alone.
    CMD_Send->setAutoDefault(true);

    List_Show = new QListWidget(this);
    List_Show->setGeometry(10, 170, 233, 198);
    List_Show->setSelectionMode(QAbstractItemView::SingleSelection);
    List_Show->setSortingEnabled(false);
    RefuseSelectionUnderModal(*List_Show);

    Comb_DNS = MakeDropDown(this, QRect(75, 50, 153, 22));
    Comb_DNS->addItems(settings_.servers);

    Comb_Sel = MakeDropDown(this, QRect(75, 80, 153, 22));
    for (const auto& row : texts::kQueryTypeRows) {
        Comb_Sel->addItem(ToQString(row.first));
    }

    const std::array<int, 3> captionWidths = {27, 25, 43};
    for (std::size_t i = 0; i < LabControlBox.size(); ++i) {
        auto* button = new CaptionButtonLabel(this);
        button->setGeometry(0, 0, captionWidths[i], 17);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAttribute(Qt::WA_TranslucentBackground);
        button->setAccessibleName(ToQString(texts::kCaptionButtonNames[i]));
        LabControlBox[i] = button;
    }

    Txt_Show = new QLineEdit(this);
    Txt_Show->setGeometry(8, 352, 49, 18);
    Txt_Show->setVisible(false);  // a scratch buffer for the hex dump, never shown

    Label2 = MakeLabel(this, texts::kLabelDomain, QRect(10, 113, 56, 18));
    Label1 = MakeLabel(this, texts::kLabelServer, QRect(10, 53, 61, 12));
    Label7 = MakeLabel(this, texts::kLabelType, QRect(10, 83, 57, 17));
    Label3 = MakeLabel(this, texts::kCreditLine, QRect(45, 370, 160, 15));
    Label3->setToolTip(ToQString(texts::kCreditTooltip));
    Label4 = MakeLabel(this, texts::kCopyrightLine, QRect(70, 385, 110, 17));
    for (QLabel* label : {Label2, Label1, Label7}) {
        QPalette black = label->palette();
        black.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(black);
    }

    // Screen readers announce each input by the caption beside it.
    Label2->setBuddy(Txt_Domain);
    Label1->setBuddy(Comb_DNS);
    Label7->setBuddy(Comb_Sel);
    Txt_Domain->setAccessibleName(Label2->text());
    Comb_DNS->setAccessibleName(Label1->text());
    Comb_Sel->setAccessibleName(Label7->text());
    List_Show->setAccessibleName(ToQString(texts::kResultsListName));

    setTabOrder(Txt_Domain, CMD_Send);
    setTabOrder(CMD_Send, List_Show);
    setTabOrder(List_Show, Comb_DNS);
    setTabOrder(Comb_DNS, Comb_Sel);
}

void FrmMain::FormLoad() {
    if (settings_.servers.size() > 1) {
        Comb_DNS->setCurrentIndex(1);
    }
    WSK_Inz();
    Comb_Sel->setCurrentText(ToQString(texts::kTypeMX));
}

void FrmMain::WSK_Inz() {
    wsk.SetProtocol(net::Wsk::Protocol::Udp);
    wsk.SetRemoteHost(ServerText());
    wsk.SetRemotePort(settings_.port);
}

QString FrmMain::ServerText() const {
    return ToQString(dns::TrimSpaces(Comb_DNS->currentText().toStdString()));
}

void FrmMain::QueryAction() {
    // Whoever asks (a key, a click, a screen reader's press that clicks 100 ms later), nothing
    // is sent while a modal box keeps input from the window.
    if (platform::InputBlockedByModal(*this)) return;
    List_Show->clear();

    const QByteArray typed = Txt_Domain->text().toUtf8();
    const std::string_view trimmed = dns::TrimSpaces(std::string_view(typed.data(), typed.size()));
    const QString domain = ToQString(trimmed);
    if (domain != Txt_Domain->text()) {
        Txt_Domain->setText(domain);
    }

    const dns::Verdict verdict = dns::CheckDomainVerdict(trimmed);
    if (verdict != dns::Verdict::kOk) {
        if (!trimmed.empty()) {
            platform_.messages.Show(this, ToQString(texts::kBadDomainText),
                                    ToQString(texts::kBadDomainTitle),
                                    platform::MessageIcon::Error);
        }
        return;
    }

    wsk.SetRemoteHost(ServerText());
    const QByteArray typeText = Comb_Sel->currentText().toUtf8();
    const dns::BuiltQuery query = dns::BuildDNSQuery(
        trimmed, texts::QueryTypeOf(std::string_view(typeText.data(), typeText.size())));
    QString failure =
        query.Ok() ? wsk.SendData(query.datagram) : ToQString(texts::TextOf(query.error));
    if (!failure.isEmpty()) {
        platform_.messages.Show(this, ToQString(texts::kSendFailurePrefix) + failure,
                                ToQString(texts::kSendFailureTitle), platform::MessageIcon::Error);
    }
}

void FrmMain::ArrivalHandler() {
    const QByteArray datagram = wsk.GetData();
    // An empty datagram carries no reply at all; it must not wipe the results on screen.
    if (datagram.isEmpty()) {
        return;
    }
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(datagram.constData()),
                                 static_cast<std::size_t>(datagram.size()));
    DecodeDNSAnswer(QString::fromLatin1(dns::ReplyText(bytes)));
}

void FrmMain::DecodeDNSAnswer(const QString& replyText) {
    const QByteArray text = replyText.toLatin1();
    const texts::DecodeResult result =
        texts::DecodeDNSAnswer(std::string_view(text.data(), text.size()), ReplyBytes);

    Txt_Show->setText(QString::fromLatin1(result.hexDump));
    if (result.listCleared) {
        List_Show->clear();
    }
    for (const std::string& row : result.rows) {
        List_Show->addItem(ToQString(row));
    }
    if (result.emptyAnswer) {
        PostEmptyAnswerMessage();
    }
}

void FrmMain::PostEmptyAnswerMessage() {
    // Shown after the read loop returns, and never stacked: a server that answers "nothing"
    // many times over must not pile up modal boxes or hold up the replies behind it.
    if (emptyAnswerPending_) {
        return;
    }
    emptyAnswerPending_ = true;
    QTimer::singleShot(0, this, [this] {
        platform_.messages.Show(this, ToQString(texts::kEmptyAnswerText),
                                ToQString(texts::kEmptyAnswerTitle), platform::MessageIcon::Error);
        emptyAnswerPending_ = false;
    });
}

void FrmMain::ShowAboutBox() {
    aboutBox_->ShowAboutModal(this);
}

}  // namespace quillet::app

#include "actions/form_temp.h"

#include <QAccessible>
#include <QAction>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <algorithm>

#include "actions/export.h"
#include "actions/results_list.h"
#include "actions/row_actions.h"
#include "platform/modality.h"
#include "platform/platform.h"
#include "texts/qt_texts.h"

namespace quillet::actions {

namespace {

// The box was laid out in twips; at 15 twips a pixel every place is a whole pixel.
[[nodiscard]] constexpr QRect Twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

// QMenu on its own also triggers an item on a right or middle release over it.
class LeftButtonMenu final : public QMenu {
public:
    using QMenu::QMenu;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) QMenu::mouseReleaseEvent(event);
    }
};

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

}  // namespace

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) emit clicked();
}

FormTemp::FormTemp(const ActionContext& context, std::shared_ptr<const FormTempHost> host,
                   QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      context_(context),
      host_(std::move(host)) {
    BuildWindow();
    BuildMenu();
}

void FormTemp::BuildWindow() {
    setWindowTitle(ToQString(texts::kAboutCaption));
    if (!context_.aboutIcon.isNull()) setWindowIcon(context_.aboutIcon);
    setFixedSize(136, 108);

    // Created in tab order, so the button (tab position 0) comes first and holds the focus.
    Command1 = new QPushButton(ToQString(texts::kDoneButton), this);
    Command1->setGeometry(Twips(480, 1200, 1095, 375));
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);

    Label1 = new QLabel(ToQString(texts::kAuthorLabel), this);
    Label1->setGeometry(Twips(480, 120, 1215, 255));
    SetTextColour(Label1, QColor(0, 0, 192));

    Label2 = new QLabel(ToQString(texts::kContactLabel), this);
    Label2->setGeometry(Twips(480, 480, 1215, 255));
    SetTextColour(Label2, QColor(255, 0, 0));

    Label3 = new ClickableLabel(ToQString(texts::kWebSite), this);
    Label3->setGeometry(Twips(240, 840, 1575, 255));
    SetTextColour(Label3, QColor(128, 128, 255));
    QFont linkFont;
    // Where SimSun is missing, another Song face keeps its look and the line inside its box.
    linkFont.setFamilies(SongFaces());
    linkFont.setPointSize(9);
    linkFont.setWeight(QFont::Normal);
    linkFont.setUnderline(true);
    Label3->setFont(linkFont);
    Label3->setCursor(Qt::PointingHandCursor);
    connect(Label3, &ClickableLabel::clicked, this, [this] {
        if (!platform::InputBlockedByModal(*this)) Http(Label3->text());
    });
    // Reached with Tab and opened with Enter or Space, as well as by a click.
    Label3->setFocusPolicy(Qt::TabFocus);

    // Screen readers read a dialog's loose lines only when they hold a few words, which a
    // Chinese line never does; as the box's description they are read when it opens.
    setAccessibleDescription(
        QStringList{Label1->text(), Label2->text(), Label3->text()}.join(QLatin1Char(' ')));

    setTabOrder(Command1, Label1);
    setTabOrder(Label1, Label2);
    setTabOrder(Label2, Label3);
    Command1->setFocus();
}

void FormTemp::BuildMenu() {
    Menu_Left = new LeftButtonMenu(ToQString(texts::kMenuTitle), this);
    Menu_Left->setAccessibleName(Menu_Left->title());
    Menu_Ping = Menu_Left->addAction(ToQString(texts::kMenuPing));
    menu_baidu = Menu_Left->addAction(ToQString(texts::kMenuSearch));
    Menu_Save = Menu_Left->addAction(ToQString(texts::kMenuSave));
    connect(Menu_Ping, &QAction::triggered, this, &FormTemp::MenuPingClick);
    connect(menu_baidu, &QAction::triggered, this, &FormTemp::MenuBaiduClick);
    // Queued: the export waits in dialogs, and a screen reader's press must not wait with it.
    connect(Menu_Save, &QAction::triggered, this, &FormTemp::Saveas, Qt::QueuedConnection);
}

QPoint CentredClientPos(const QRect& over, QSize client, const QMargins& frame,
                        const QRect& screen) {
    const QSize outer = client.grownBy(frame);
    const QPoint centred = platform::CentredIn(over, outer);
    const QPoint onScreen(
        std::max(std::min(centred.x(), screen.right() + 1 - outer.width()), screen.left()),
        std::max(std::min(centred.y(), screen.bottom() + 1 - outer.height()), screen.top()));
    return onScreen + QPoint(frame.left(), frame.top());
}

void FormTemp::CentreOver(QWidget* window) {
    // A compositor ignores the position; with the main window as transient parent it may
    // centre the box on it itself.
    if (context_.platform.windows.PlacesWindowsItself()) return;
    centreOver_ = window;
    PlaceCentred();
}

void FormTemp::PlaceCentred() {
    // Qt's own placement guesses the frame from the parent's, and the main window has none.
    placedWith_ = context_.platform.windows.FrameMargins(*this);
    const QScreen* screen = centreOver_->screen();
    const QRect area =
        screen != nullptr ? screen->availableGeometry() : centreOver_->frameGeometry();
    setGeometry(
        QRect(CentredClientPos(centreOver_->frameGeometry(), size(), placedWith_, area), size()));
}

bool FormTemp::event(QEvent* event) {
    const QEvent::Type type = event->type();
    if (centreOver_ != nullptr &&
        (type == QEvent::Show || type == QEvent::Move || type == QEvent::Paint) &&
        context_.platform.windows.FrameMargins(*this) != placedWith_) {
        PlaceCentred();
        centreOver_.clear();  // once: from now on the box is where the user leaves it
    }
    if (type == QEvent::Hide) centreOver_.clear();
    if (type == QEvent::Show) {
        // Qt tells screen readers that the box now shows, never that it and its lines are
        // visible too: a reader that met them hidden (the menu makes the box long before it
        // opens) would keep them invisible and find nothing. A selection event makes them read
        // each anew.
        QList<QWidget*> parts = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        parts.removeIf([](const QWidget* part) { return part->isWindow(); });  // the menu
        parts.prepend(this);
        for (QWidget* part : parts) {
            QAccessibleEvent reread(part, QAccessible::Selection);
            QAccessible::updateAccessibility(&reread);
        }
    }
    return QDialog::event(event);
}

void FormTemp::Http(const QString& address) {
    context_.platform.urls.Open(address);
}

bool FormTemp::MainWindowTakesInput() const {
    return context_.resultsList != nullptr && !platform::InputBlockedByModal(*context_.resultsList);
}

void FormTemp::done(int result) {
    if (!platform::InputBlockedByModal(*this)) QDialog::done(result);
}

void FormTemp::MenuPingClick() {
    if (!MainWindowTakesInput()) return;
    const std::optional<QString> target = MenuRowTarget(*context_.resultsList, host_->MenuY);
    if (!target) return;
    platform::ProcessLauncher& processes = context_.platform.processes;
    const std::optional<Command> command = PingInTerminal(*target, processes);
    if (!command) return;
    // Whether it started or not, there is nothing to tell the user.
    processes.StartDetached(command->program, command->arguments);
}

void FormTemp::MenuBaiduClick() {
    if (!MainWindowTakesInput()) return;
    if (const std::optional<QString> target = MenuRowTarget(*context_.resultsList, host_->MenuY)) {
        Http(SearchAddress(*target));
    }
}

void FormTemp::ShowModal() {
    Command1->setFocus();
    exec();
}

void FormTemp::Saveas() {
    if (!MainWindowTakesInput()) return;
    // The dialog and the report run nested event loops, in which the box may be closed and
    // destroyed: from the first on, only what is held here is used.
    platform::Platform& platform = context_.platform;
    const QPointer<QListWidget> list = context_.resultsList;
    const platform::SaveDialogOptions options{
        ToQString(texts::kSaveTitle), ToQString(texts::kSaveDefaultName),
        ToQString(texts::kSaveFilter), ToQString(texts::kSaveDefaultSuffix)};
    const std::optional<QString> path = platform.saveDialog.AskPath(list->window(), options);
    if (!path || path->isEmpty() || list == nullptr || !CanWriteGbk()) return;
    std::optional<AppendTarget> target = OpenForAppend(*path);
    if (!target) return;
    const QDateTime now = platform.clock.Now();
    const QStringList rows = WalkRows(*list);
    const std::optional<QByteArray> bytes = ToGbk(ExportBlock(now.date(), now.time(), rows));
    if (!bytes) return Abandon(*target);
    if (!AppendBlock(*target, *bytes)) return;
    target->file->close();

    const QString report = ToQString(texts::kExportedCountBefore) + QString::number(rows.size()) +
                           ToQString(texts::kExportedCountAfter) + ToQString(texts::kLineEnd) +
                           ToQString(texts::kExportedPathLabel) + *path;
    platform.messages.Show(list->window(), report, ToQString(texts::kExportedTitle),
                           platform::MessageIcon::Information);
}

FormTempHost::FormTempHost(ActionContext context, QWidget* owner)
    : context_(std::move(context)), owner_(owner) {}

FormTemp* FormTempHost::Ensure() {
    if (form_ == nullptr) form_ = new FormTemp(context_, shared_from_this(), owner_);
    return form_;
}

bool FormTempHost::MenuShown() const {
    return form_ != nullptr && form_->Menu_Left->isVisible();
}

void FormTempHost::ShowAboutModal(QWidget* mainWindow) {
    const QPointer<FormTemp> form = Ensure();
    // Qt refuses to show a box modally inside its own modal showing, and the outer showing
    // still owns it.
    if (form->isVisible()) return;
    if (mainWindow != nullptr) form->CentreOver(mainWindow);
    form->ShowModal();
    // Closing the box, by its button or otherwise, destroys it: the next use makes a new one.
    if (form_ == form) form_.clear();
    if (form != nullptr) form->deleteLater();
}

}  // namespace quillet::actions

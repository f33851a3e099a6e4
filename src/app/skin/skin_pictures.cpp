#include "app/skin/skin_pictures.h"

#include <QPaintDevice>
#include <QPainter>
#include <QString>
#include <future>
#include <utility>

// The resources live in this static library; nothing would pull them into the program unless
// someone calls their initialiser, and that has to happen outside any namespace.
static void InitSkinResources() {
    Q_INIT_RESOURCE(skin);
}

namespace quillet::app {

SkinPicture::SkinPicture(QImage normal, QString doubledPath)
    : normal_(std::move(normal)), doubledPath_(std::move(doubledPath)) {
    normal_.setDevicePixelRatio(1.0);
}

const QImage& SkinPicture::ForRatio(qreal devicePixelRatio) const {
    if (devicePixelRatio <= 1.0) {
        return normal_;
    }
    if (!doubledLoaded_) {
        doubledLoaded_ = true;
        doubled_ = QImage(doubledPath_);
        if (doubled_.size() != normal_.size() * 2) {
            doubled_ = QImage();
        }
        doubled_.setDevicePixelRatio(2.0);
    }
    return doubled_.isNull() ? normal_ : doubled_;
}

void SkinPicture::PaintPiece(QPainter& painter, const QRect& source, const QPoint& dest) const {
    const QRect inside = source & QRect(QPoint(0, 0), Size());
    if (inside.isEmpty()) {
        return;
    }
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const QImage& image = ForRatio(ratio);
    const qreal scale = image.devicePixelRatio();
    const QRectF from(inside.x() * scale, inside.y() * scale, inside.width() * scale,
                      inside.height() * scale);
    const QRectF to(dest + (inside.topLeft() - source.topLeft()), inside.size());
    const QPainter::CompositionMode mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(to, image, from);
    painter.setCompositionMode(mode);
}

namespace {

[[nodiscard]] SkinPicture Load(const QString& name) {
    return SkinPicture(QImage(QStringLiteral(":/skin/%1.png").arg(name)),
                       QStringLiteral(":/skin/%1@2x.png").arg(name));
}

// Everything but the icon: QImage may be decoded on any thread, QIcon only on the GUI thread.
[[nodiscard]] SkinPictures DecodeImages() {
    InitSkinResources();
    SkinPictures pictures;
    pictures.ImgBack = Load(QStringLiteral("back"));
    for (std::size_t i = 0; i < pictures.ImgBox.size(); ++i) {
        pictures.ImgBox[i] = Load(QStringLiteral("box%1").arg(i));
    }
    return pictures;
}

// Touched on the GUI thread only; the worker hands its result over through the future.
std::future<SkinPictures> pendingImages;
bool picturesReady = false;

[[nodiscard]] SkinPictures LoadAll() {
    SkinPictures pictures = pendingImages.valid() ? pendingImages.get() : DecodeImages();
    // QIcon picks up the @2x files by itself on a high-density screen.
    for (const int size : {16, 32}) {
        pictures.icon.addFile(QStringLiteral(":/skin/icon%1.png").arg(size), QSize(size, size));
    }
    picturesReady = true;
    return pictures;
}

}  // namespace

void StartLoadingPictures() {
    if (!picturesReady && !pendingImages.valid()) {
        pendingImages = std::async(std::launch::async, DecodeImages);
    }
}

const SkinPictures& Pictures() {
    static const SkinPictures pictures = LoadAll();
    return pictures;
}

}  // namespace quillet::app

#include "game/GameResources.h"

#include "game/TrueColorBmp.h"

#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QResource>

#include <string_view>

#include <stdexcept>
#include <utility>

// The registration function lives in the global namespace, so it is called from here.
static void RegisterGarvoResources()
{
    Q_INIT_RESOURCE(garvo);
}

namespace game {

namespace {

// Waits on its label for the first show; then the label takes the built-in picture unless it
// has one.
class TPendingPicture : public QObject {
public:
    TPendingPicture(QLabel* label, QString name) : QObject(label), label_(label), name_(std::move(name))
    {
        label->installEventFilter(this);
    }

    void Resolve()
    {
        if (resolved_)
            return;
        resolved_ = true;
        label_->removeEventFilter(this);
        if (label_->pixmap().isNull())
            label_->setPixmap(BuiltInPicture(name_));
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            Resolve();
        return false;
    }

private:
    QLabel* label_;
    QString name_;
    bool resolved_ = false;
};

TPendingPicture* PendingPictureOf(QLabel* label)
{
    return label->findChild<TPendingPicture*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

QPixmap BuiltInPicture(const QString& name)
{
    // The large pictures of the first screen are stored as plain BMP, kept uncompressed, so
    // they are read where they lie instead of being inflated and unfiltered.
    const QString plainName = QStringLiteral(":/") + name + QStringLiteral(".bmp");
    const QResource plain(plainName);
    if (!plain.isValid())
        return QPixmap(QStringLiteral(":/") + name + QStringLiteral(".png"));
    if (plain.compressionAlgorithm() == QResource::NoCompression) {
        const std::string_view bytes(reinterpret_cast<const char*>(plain.data()), static_cast<size_t>(plain.size()));
        if (QImage image = DecodeTrueColorBmp(bytes); !image.isNull())
            return QPixmap::fromImage(std::move(image));
    }
    return QPixmap(plainName);
}

void InitGameResources()
{
    static const bool registered = (RegisterGarvoResources(), true);
    (void)registered;
}

TBuiltInPictureList::TBuiltInPictureList(QString folder, size_t count) : folder_(std::move(folder)), pictures_(count) {}

const QPixmap& TBuiltInPictureList::at(size_t index) const
{
    std::optional<QPixmap>& picture = pictures_.at(index);
    if (!picture)
        picture = BuiltInPicture(folder_ + QLatin1Char('/') + QString::number(index));
    return *picture;
}

void SetBuiltInPicture(QLabel* label, const QString& name)
{
    auto* pending = new TPendingPicture(label, name); // the label owns it
    if (label->isVisible())
        pending->Resolve();
}

QPixmap LabelPicture(QLabel* label)
{
    if (TPendingPicture* pending = PendingPictureOf(label))
        pending->Resolve();
    return label->pixmap();
}

} // namespace game

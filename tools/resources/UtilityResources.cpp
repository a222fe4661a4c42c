#include "resources/UtilityResources.h"

#include "pictures/Icons.h"
#include "pictures/LanguagePictures.h"
#include "pictures/Look.h"
#include "pictures/Painting.h"
#include "resources/BrandPictures.h"
#include "resources/ResourceSet.h"

#include <utility>

namespace resources {

using namespace pictures;

namespace {

// The face of a 23 x 17 language button: the flag inside a thin bevel.
QImage FlagButton(TFlag flag)
{
    QImage image = NewPicture(23, 17, look::Slate);
    QPainter p(&image);
    PaintKeyFace(p, image.rect(), TKeyStyle::Tool);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(2, 2, 19, 13), FlagPicture(flag));
    return image;
}

// A 16 x 16 menu picture with transparency.
QImage MenuPicture(TIcon icon)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    PreparePainter(p);
    PaintIcon(p, QRectF(0, 0, 16, 16), icon, look::Slate);
    return image;
}

} // namespace

void MakeUtilityResources(const QString& folder)
{
    TResourceSet set(folder, QStringLiteral("lexorim.qrc"));
    set.Add(QStringLiteral("lexorim/imgProgramIcon.png"), UtilityPicture());
    set.Add(QStringLiteral("lexorim/icon.png"), UtilityIcon());
    set.Add(QStringLiteral("lexorim/btnFrench.png"), FlagButton(TFlag::France));
    set.Add(QStringLiteral("lexorim/btnEnglish.png"), FlagButton(TFlag::UnitedKingdom));
    const std::pair<const char*, TIcon> menus[] = {
        {"mnuFileNew", TIcon::NewPage}, {"mnuFileOpen", TIcon::Open}, {"mnuFileQuit", TIcon::Exit},
        {"mnuFileModify", TIcon::Edit}, {"mnuFileSave", TIcon::Save}, {"mnuHtmlCopy", TIcon::Copy},
        {"mnuHtmlCut", TIcon::Cut},     {"mnuHtmlPaste", TIcon::Paste},
    };
    for (const auto& [name, icon] : menus)
        set.Add(QStringLiteral("lexorim/%1.png").arg(QLatin1String(name)), MenuPicture(icon));
    set.Finish();
}

} // namespace resources

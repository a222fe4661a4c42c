// Pictures in a real viewer: an IMG laid out and painted, a right-aligned picture with text
// flowing beside it, pictures handed over by the image request, the page background, the cache
// across page loads, animated GIFs, and a definition page rendered for a look.
#include "common/BundledData.h"
#include "HtmlViewTest.h"

#include "htmlview/HtmlGif.h"
#include "htmlview/HtmlImageCache.h"
#include "htmlview/HtmlImageLoad.h"
#include "htmlview/HtmlImages.h"
#include "htmlview/Section.h"

#include <QBuffer>
#include <QCoreApplication>

#include <filesystem>

using namespace htmlview;
using viewertest::ViewerFixture;

namespace {

constexpr QRgb Magenta = qRgb(255, 0, 255);

std::string BmpBytes(int width, int height, QRgb color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes.toStdString();
}

std::filesystem::path PictureFolder()
{
    return BundledDataFolder() / "Dictionnaires";
}

class ImageViewTest : public ViewerFixture {
protected:
    void SetUp() override
    {
        ViewerFixture::SetUp();
        View.SetViewImages(true);
    }

    QImage Grab() { return Panel().grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // The box holding every pixel of Color; empty when there is none.
    static QRect BoxOf(const QImage& image, QRgb color)
    {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF))
                    box |= QRect(x, y, 1, 1);
        return box;
    }

    static int DarkPixels(const QImage& image, const QRect& area)
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
        return count;
    }

    TImageObj* FirstImage()
    {
        for (int i = 0; i < View.Document().Count(); ++i)
            if (auto* section = dynamic_cast<TSection*>(View.Document()[i]); section && section->Images.Count() > 0)
                return section->Images[0]->Image();
        return nullptr;
    }
};

} // namespace

TEST_F(ImageViewTest, PictureIsLaidOutAndPainted)
{
    WriteFile("Carre.bmp", BmpBytes(40, 30, Magenta));
    // Pages written on other systems name files in any letter case.
    Load("<p>Avant <img src=\"" + Folder.path().toStdString() + "/CARRE.bmp\"> apr\xE8s</p>");
    const QRect box = BoxOf(Grab(), Magenta);
    EXPECT_EQ(box.size(), QSize(40, 30));
    ASSERT_NE(FirstImage(), nullptr);
    EXPECT_EQ(FirstImage()->Bitmap->Width(), 40);

    View.SetViewImages(false);
    Paint();
    EXPECT_TRUE(BoxOf(Grab(), Magenta).isEmpty());
}

TEST_F(ImageViewTest, PictureFileIsShownAsAPageOfItsOwn)
{
    // A quote in the name must survive the one-tag page that shows the file.
    const std::string picture = WriteFile("say \"cheese\".bmp", BmpBytes(30, 20, Magenta));
    Load("<p>before</p>");
    View.LoadImageFile(picture);
    Paint();
    EXPECT_EQ(View.DocumentKind(), dkPicture);
    EXPECT_EQ(View.LoadedFileName(), picture);
    EXPECT_EQ(IndexOf("before"), -1);
    ASSERT_NE(FirstImage(), nullptr);
    EXPECT_EQ(FirstImage()->Source, picture);
    ASSERT_NE(FirstImage()->Bitmap, nullptr);
    EXPECT_EQ(BoxOf(Grab(), Magenta).size(), QSize(30, 20));
}

TEST_F(ImageViewTest, RightAlignedPictureHasTextFlowingBesideIt)
{
    const std::string path = WriteFile("right.bmp", BmpBytes(80, 60, Magenta));
    Load("<p><img src=\"" + path + "\" align=right>" + std::string(40, ' ') +
         "Des mots assez nombreux pour remplir plusieurs lignes de texte autour de l'image qui flotte a droite.</p>");
    const QImage image = Grab();
    const QRect box = BoxOf(image, Magenta);
    ASSERT_EQ(box.size(), QSize(80, 60));
    // At the right of the column, text in the same rows on its left only.
    EXPECT_GT(box.left(), Panel().width() / 2);
    EXPECT_GT(DarkPixels(image, QRect(0, box.top(), box.left() - 5, box.height())), 50);
    EXPECT_EQ(DarkPixels(image, QRect(box.left() - 4, box.top(), 4, box.height())), 0); // HSPACE gap
}

TEST_F(ImageViewTest, ImageRequestHandsPicturesOver)
{
    const std::string bytes = BmpBytes(20, 10, Magenta);
    std::vector<std::string> asked;
    View.SetOnImageRequest([&](THtmlView*, const std::string& src, const std::string*& stream) {
        asked.push_back(src);
        stream = src == "handed.bmp" ? &bytes : nullptr;
    });
    std::vector<std::pair<int32_t, int32_t>> clicks;
    View.OnImageClick = [&](THtmlView*, TImageObj*, Qt::MouseButton, Qt::KeyboardModifiers, int32_t x, int32_t y) {
        clicks.emplace_back(x, y);
    };
    Load("<img src=\"handed.bmp\"> <img src=\"refused.bmp\" alt=non>");
    // Names are passed as written, not made into paths.
    EXPECT_EQ(asked, (std::vector<std::string>{"handed.bmp", "refused.bmp"}));
    const QRect box = BoxOf(Grab(), Magenta);
    ASSERT_EQ(box.size(), QSize(20, 10));
    QTest::mouseClick(&Panel(), Qt::LeftButton, {}, box.topLeft() + QPoint(3, 7));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], std::make_pair(3, 7));
    View.SetOnImageRequest(nullptr);
}

// A handler that lets the same picture be fetched while it reads it (a paint run from inside it,
// say) finds the entry filled when it returns: both fetches share that entry, each as a user.
TEST_F(ImageViewTest, PictureFetchedAgainInsideItsRequestSharesTheEntry)
{
    const std::string bytes = BmpBytes(6, 4, Magenta);
    TSectionList& document = View.Document();
    struct TFetch {
        uint8_t Mode = NoTransparency;
        bool Delayed = false;
        bool FromCache = false;
        const platform::TBitmap* Mask = nullptr;
        TBitmapItem* Item = nullptr;
        void From(TSectionList& d) { Item = d.FetchImage("fetched twice.bmp", Mode, Delayed, FromCache, Mask); }
    } inner, outer;
    int requests = 0;
    View.SetOnImageRequest([&](THtmlView*, const std::string&, const std::string*& stream) {
        if (++requests == 1)
            inner.From(document);
        stream = &bytes;
    });
    outer.From(document);
    View.SetOnImageRequest(nullptr);
    ASSERT_NE(inner.Item, nullptr);
    EXPECT_FALSE(inner.FromCache);
    EXPECT_EQ(outer.Item, inner.Item);
    EXPECT_TRUE(outer.FromCache);
    EXPECT_EQ(outer.Item->Users, 2);
    ImageCache().ReleaseImage("fetched twice.bmp");
    ImageCache().ReleaseImage("fetched twice.bmp");
}

TEST_F(ImageViewTest, BodyBackgroundIsTiled)
{
    const std::string path = WriteFile("tile.bmp", BmpBytes(8, 8, qRgb(0, 128, 255)));
    Load("<body background=\"" + path + "\">Texte");
    const QImage image = Grab();
    EXPECT_EQ(image.pixel(image.width() - 2, image.height() - 2) & 0xFFFFFF, qRgb(0, 128, 255) & 0xFFFFFF);
    View.Clear();
    EXPECT_EQ(View.Document().BackgroundBitmap, nullptr);
}

TEST_F(ImageViewTest, CacheKeepsAPictureForImageCacheCountLoads)
{
    const std::string path = WriteFile("shared.bmp", BmpBytes(4, 4, Magenta));
    View.SetImageCacheCount(2);
    Load("<img src=\"" + path + "\"><img src=\"" + path + "\">");
    const int index = ImageCache().IndexOf(path);
    ASSERT_GE(index, 0);
    EXPECT_EQ(ImageCache().Item(index).Users, 2);
    Load("rien");
    Load("rien");
    EXPECT_GE(ImageCache().IndexOf(path), 0);
    Load("rien");
    EXPECT_LT(ImageCache().IndexOf(path), 0);

    // With a count of 0 the next load drops it.
    View.SetImageCacheCount(0);
    Load("<img src=\"" + path + "\">");
    EXPECT_GE(ImageCache().IndexOf(path), 0);
    Load("rien");
    EXPECT_LT(ImageCache().IndexOf(path), 0);
    View.SetImageCacheCount(5);
}

TEST_F(ImageViewTest, SameAnimatedGifAnimatesOnItsOwnInEachPlace)
{
    const std::string gif = (PictureFolder() / "img/horloge.gif").string();
    Load("<img src=\"" + gif + "\"><img src=\"" + gif + "\">");
    const std::vector<TAnimatedPicture*>& animated = View.Document().AnimatedImages;
    ASSERT_EQ(animated.size(), 2u);
    EXPECT_NE(animated[0], animated[1]);
    EXPECT_TRUE(View.Document().AnimationTimer.isActive());
    const int index = ImageCache().IndexOf(gif);
    ASSERT_GE(index, 0);
    EXPECT_EQ(ImageCache().Item(index).Users, 2);
    Load("rien");
    EXPECT_FALSE(View.Document().AnimationTimer.isActive());
}

TEST_F(ImageViewTest, DefinitionPageWithPicturesRenders)
{
    View.resize(420, 260);
    const std::string page = "<html><body><base href=\"" + PictureFolder().string() +
                             "/\"><b>montagne</b><br>"
                             "<img src=\"img/montagne.jpg\" align=\"right\">Grande \xE9l\xE9vation naturelle "
                             "du sol, plus haute qu'une colline. <i>Exemple : gravir la montagne.</i>"
                             "<p><img src=\"img/maison.bmp\"> <img src=\"img/drapeau.gif\" alt=drapeau> "
                             "<img src=\"img/absente.jpg\" alt=\"image absente\"></body></html>";
    Load(page);
    const QImage image = Grab();
    image.save(QCoreApplication::applicationDirPath() + "/ImagePage.png");
    // The JPEG's sky and the BMP's colours are there: far more colours than text and page.
    QSet<QRgb> colors;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colors.insert(image.pixel(x, y));
    EXPECT_GT(colors.size(), 200);
    EXPECT_TRUE(Errors.empty());
}

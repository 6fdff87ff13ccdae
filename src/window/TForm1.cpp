#include "window/TForm1.h"

#include "generator/NameGenerator.h"
#include "stock/NameStock.h"
#include "stock/ShiftJisText.h"
#include "ui_TForm1.h"
#include "window/Accessibility.h"
#include "window/ErrorReport.h"
#include "window/KeyboardModel.h"
#include "window/LayoutScaling.h"
#include "window/Shell.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

namespace kanatsumugi {

namespace {

// "ＭＳ Ｐゴシック" is not on Linux; IPAPGothic is its metric-compatible twin, and Takao its
// copy. The rest are the other Japanese fonts the package may come with.
const QStringList kFontFamilies{
    QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
    QStringLiteral("IPAPGothic"),      QStringLiteral("TakaoPGothic"),
    QStringLiteral("IPAGothic"),       QStringLiteral("IPAexGothic"),
    QStringLiteral("VL PGothic"),      QStringLiteral("Noto Sans CJK JP"),
    QStringLiteral("sans-serif")};
constexpr int kWindowFontPixels = 12;
constexpr int kCheckBoxFontPixels = 10;
constexpr QPoint kDesignedPosition{615, 142};
constexpr QSize kDesignedClientSize{190, 51};

// The first preferred family that is installed. Handing Qt missing families makes it
// ask fontconfig for fallbacks of each, which costs noticeable start-up time.
QStringList installedDesignFamilies() {
    for (const QString& family : kFontFamilies) {
        if (QFontDatabase::hasFamily(family)) {
            return {family};
        }
    }
    return kFontFamilies;
}

QFont designFont(int pixelSize) {
    static const QStringList families = installedDesignFamilies();
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

TForm1::TForm1(const Clock& clock, QWidget* parent)
    : QWidget(parent)
    , ui_(std::make_unique<Ui::TForm1>())
    , clock_(clock) {
    // The font goes on before the controls exist, so each lays its text out once.
    applyFonts();
    ui_->setupUi(this);
    applyLayoutScaling();
    applyFrame();
    wireEvents();
}

TForm1::~TForm1() = default;

void TForm1::applyFonts() {
    const int dotsPerInch = qRound(screen()->logicalDotsPerInchY());
    setFont(designFont(scaledFontPixelSize(kWindowFontPixels, dotsPerInch)));
}

// The check box's own font is set here once, at its scaled size.
void TForm1::applyLayoutScaling() {
    const int textHeight = measuredTextHeight(font());
    QSize clientSize = kDesignedClientSize;
    int checkBoxFontPixels = kCheckBoxFontPixels;
    if (textHeight != kDesignTextHeight) {
        const QList<QWidget*> controls{ui_->Label1,    ui_->Button1, ui_->Edit1,
                                       ui_->CheckBox1, ui_->Button2, ui_->SpinEdit1};
        for (QWidget* control : controls) {
            control->setGeometry(scaledGeometry(control->geometry(), textHeight));
        }
        checkBoxFontPixels = scaledLength(kCheckBoxFontPixels, textHeight);
        ui_->SpinEdit1->setArrowScale(static_cast<double>(textHeight) / kDesignTextHeight);
        clientSize = scaledSize(clientSize, textHeight);
    }
    ui_->CheckBox1->setFont(designFont(checkBoxFontPixels));
    setFixedSize(clientSize);
}

void TForm1::applyFrame() {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // On a top-level window this places the outer frame's corner, not the client's.
    move(kDesignedPosition);
    // Qt's own frame on Wayland centres the title over the whole width but cuts it off at
    // its minimise button, which a window this narrow reaches: two trailing ideographic
    // spaces move the visible title clear of the buttons. Screen readers keep the title.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        setWindowTitle(kApplicationTitle + QStringLiteral("\u3000\u3000"));
        setAccessibleName(kApplicationTitle);
    }
}

void TForm1::wireEvents() {
    // Guarded here as well as in the application's notify(): Qt's own frames are built
    // without exception support, and an error unwinding through them leaks their locals.
    connect(ui_->Button1, &QPushButton::clicked, this,
            [this] { runGuarded([this] { Button1Click(); }); });
    connect(ui_->Button2, &QPushButton::clicked, this,
            [this] { runGuarded([this] { Button2Click(); }); });
    connect(ui_->Edit1, &QLineEdit::textChanged, this, [this](const QString& text) {
        // A pasted text shows as the one line it will be stocked as.
        const QString line = oneLine(text);
        if (line != text) {
            const int cursor = ui_->Edit1->cursorPosition();
            ui_->Edit1->setText(line);
            ui_->Edit1->setCursorPosition(cursor);
        }
    });
    describeForScreenReaders(ui_->Edit1, ui_->Button1, ui_->CheckBox1, ui_->Button2,
                             ui_->SpinEdit1);
    new KeyboardModel(this);
}

void TForm1::FormCreate() {
    // The tables come first, so that a stock file that cannot be read still leaves a
    // program that makes names.
    tables_ = KanaTables::build();
    stock_ = std::make_unique<NameStock>(StockList::pathInWorkingDirectory());
    stock_->list().load();
}

void TForm1::FormShow() {
    RandomMake();
}

void TForm1::FormDestroy() {
    tables_.reset();
}

void TForm1::Button1Click() {
    RandomMake();
    announceToScreenReaders(this, QStringLiteral("新しい名前 %1").arg(ui_->Edit1->text()));
}

void TForm1::Button2Click() {
    if (stock_ == nullptr) {
        return;
    }
    const QString text = ui_->Edit1->text();
    announceToScreenReaders(this, stock_->stockIfStockable(text)
                                      ? QStringLiteral("%1 をストックしました").arg(text)
                                      : QStringLiteral("この名前はストック済みです"));
}

void TForm1::RandomMake() {
    // Without FormCreate there is nothing to draw from, and nothing becomes stockable.
    if (!tables_ || stock_ == nullptr) {
        return;
    }
    random_.SeedFromClock(clock_);
    std::optional<std::int32_t> fixedLength;
    if (ui_->CheckBox1->isChecked()) {
        ui_->SpinEdit1->commit();
        fixedLength = ui_->SpinEdit1->Value();
    }
    const GeneratedName name = makeName(*tables_, random_, fixedLength);
    ui_->Edit1->setText(fromShiftJis(QByteArray::fromStdString(name.shiftJis)));
    stock_->nameGenerated();
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->ignore();
    postQuitRequest();
}

} // namespace kanatsumugi

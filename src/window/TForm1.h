#pragma once

#include "generator/KanaTables.h"
#include "generator/RandomSource.h"

#include <QWidget>

#include <memory>
#include <optional>

namespace kanatsumugi {

class Clock;
class NameStock;

namespace Ui {
class TForm1;
}

// The program's one window. Its handlers read the controls, call the generator and
// the stock, and write the controls; errors are left to the shell's guards.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    // Builds the controls in their designed state, hidden. `clock` seeds every name.
    explicit TForm1(const Clock& clock, QWidget* parent = nullptr);
    ~TForm1() override;

    // Builds the kana tables, then fixes the stock file's path and loads the stock.
    void FormCreate();
    // The first generation, before the window is first visible.
    void FormShow();
    // Releases the kana tables.
    void FormDestroy();

    void Button1Click();
    void Button2Click();
    // Generates a name into Edit1 (of the spin box's length when CheckBox1 is checked)
    // and makes it stockable.
    void RandomMake();

    // The stock as loaded by FormCreate; null before it.
    [[nodiscard]] const NameStock* stock() const { return stock_.get(); }

protected:
    // Closing only asks the event loop to end; teardown happens after the loop.
    void closeEvent(QCloseEvent* event) override;

private:
    void applyFonts();
    void applyLayoutScaling();
    void applyFrame();
    void wireEvents();

    std::unique_ptr<Ui::TForm1> ui_;
    const Clock& clock_;
    RandomSource random_;
    std::optional<KanaTables> tables_;
    std::unique_ptr<NameStock> stock_;
};

} // namespace kanatsumugi

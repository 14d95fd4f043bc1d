#pragma once

// Paging through numbered groups: "-" (`cmdMENOSBloque`) and "+" (`cmdMASBloque`) step one page,
// disabled on the first and last page; optionally "Ir Grupo :" with `txtNumeroGrupo` (3 digits,
// Enter jumps to the page holding that group). Pages are 1..ceil(itemCount / perPage).
// aboutToChangePage() fires before any change (store what the page shows), pageChanged() after.
// A go-to outside 1..itemCount shows "ERROR: EL NUMERO DE GRUPO DEBE ESTAR ENTRE 1 y <itemCount>"
// through the Interaction given with setInteraction() and emits goToRefused(); either way the
// field keeps the focus with its text selected.
//
//   auto* pager = new GroupPager(210, 3, true, this);      // GRUPOS: 70 pages of three groups
//   pager->setInteraction(&ui);
//   connect(pager, &GroupPager::aboutToChangePage, this, &Window::storePage);
//   connect(pager, &GroupPager::pageChanged, this, &Window::showPage);
// Windows that validate what a page shows before leaving it give setLeaveCheck() a function that
// returns false to stay (it runs before aboutToChangePage()); setGoToCaption() renames "Ir Grupo :".

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace kombitron {
class Interaction;
}

namespace kombitron::ui {

class NumericLineEdit;

class GroupPager : public QWidget {
    Q_OBJECT
public:
    GroupPager(int itemCount, int perPage, bool withGoTo, QWidget* parent = nullptr);

    int page() const { return page_; }
    int pageCount() const { return pageCount_; }
    // Show page p (clamped); emits the two signals when it changes.
    void setPage(int page);
    // The page holding item n (1-based).
    int pageOf(int item) const { return (item + perPage_ - 1) / perPage_; }
    void setInteraction(Interaction* ui) { ui_ = ui; }
    void setLeaveCheck(std::function<bool()> check) { leaveCheck_ = std::move(check); }
    void setGoToCaption(const QString& caption);

    QPushButton* minusButton() const { return minus_; }
    QPushButton* plusButton() const { return plus_; }
    NumericLineEdit* goToField() const { return goTo_; }

signals:
    void aboutToChangePage();
    void pageChanged(int page);
    void goToRefused();

private:
    void updateButtons();
    void goTo();

    int itemCount_;
    int perPage_;
    int pageCount_;
    int page_ = 1;
    QPushButton* minus_;
    QPushButton* plus_;
    NumericLineEdit* goTo_ = nullptr;
    QLabel* goToCaption_ = nullptr;
    std::function<bool()> leaveCheck_;
    Interaction* ui_ = nullptr;
};

} // namespace kombitron::ui

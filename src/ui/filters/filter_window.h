#pragma once

// What every filter window shares: the modal dialog titled with the filter's caption, the
// activation image `imgActivar` that flips the filter's row between "No" and "Sí", the closing
// image `imgVolver` ("Cerrar condición"), and the closing rule: a window closes only when its
// closing() accepts (its checks pass and its fields are stored); otherwise it stays open with the
// user's text. Windows whose frame close box does nothing call setCloseBoxIgnored(true).
//
// A window builds its own controls in body() and calls activate() after every edit that sets the
// filter active. Escape and Enter never close a filter window by themselves.
//
//   class frmFiltroSUMAS : public FilterWindow {
//       frmFiltroSUMAS(AppState& s, Interaction& ui, QWidget* p)
//           : FilterWindow(s, ui, FilterId::SUMAS, QStringLiteral("SUMAS"), p) { ...body()... }
//       bool closing() override { return acceptCheck(validateAndStoreSumas(...)); }
//   };

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

#include "core/filter_registry.h"

class QHBoxLayout;
class QVBoxLayout;

namespace kombitron {
struct AppState;
class Interaction;
} // namespace kombitron

namespace kombitron::ui {

class ActivationButton;
class ImageButton;

// The narrowest window whose frame shows `caption` whole.
int minimumWidthForCaption(const QString& caption, const QFont& font);

class FilterWindow : public QDialog {
    Q_OBJECT
public:
    FilterWindow(AppState& state, Interaction& ui, FilterId id, const QString& caption, QWidget* parent);

    ActivationButton* imgActivar = nullptr;
    ImageButton* imgVolver = nullptr;

    // imgVolver: run closing() and close when it accepts.
    void requestClose();
    // The frame close box (and Escape) do nothing when ignored.
    void setCloseBoxIgnored(bool ignored) { closeBoxIgnored_ = ignored; }

    // The filter's row text in the main window's list.
    std::string& row();

protected:
    // Checks and stores what the window stores on closing; false keeps the window open.
    virtual bool closing() { return true; }
    // Set the active flag ("No" -> "Sí") and show the active picture; an edit never clears it.
    void activate();
    // Every key typed in `field` activates the filter, even one its key filter refuses.
    void activateOnKeys(QWidget* field);
    // Show a check's message (error box) when there is one; true when there was none.
    bool acceptCheck(const std::string& message);

    // Layout of the window's own controls, above the activation and closing images.
    QVBoxLayout* body() const { return body_; }
    // The current base combination: the numbers marked on the grid, ascending. (The stored list
    // of base numbers is rebuilt only when a calculation starts, so it may be out of date here.)
    std::vector<uint8_t> baseNumbers() const;
    // Put a window's own image command in the bottom row, after imgActivar.
    void addCommand(QWidget* command);

    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

    AppState& state_;
    Interaction& ui_;
    const int position_;

private:
    void refreshActivation();

    QVBoxLayout* body_;
    QHBoxLayout* commands_;
    QObject* keyWatcher_ = nullptr;
    bool closeBoxIgnored_ = false;
};

} // namespace kombitron::ui

#pragma once

#include <QDialog>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "core/state.h"
#include "support/recording_interaction.h"

namespace kombitron::ui {
class frmPrincipal;
}

namespace kombitron::test {

// The main window on one AppState with a marked base, and the recording Interaction the filter
// windows talk through. The windows are opened as a person does: a double click on their row.
class FilterWindowTest : public ::testing::Test {
protected:
    FilterWindowTest();
    ~FilterWindowTest() override;
    void SetUp() override;
    void TearDown() override;

    // Mark exactly these numbers as the base combination.
    void setBase(std::initializer_list<int> numbers);

    // Double-click filter row `row` of the main window's list and run `drive` on the window it opens
    // while it is shown; `drive` closes it. A window left open fails the test and is closed. The
    // list must then show the row as AppState holds it.
    void openRow(int row, const std::function<void(QDialog*)>& drive);

    const std::string& rowText(int row) const { return state.filterRows[static_cast<size_t>(row)]; }
    bool rowActive(int row) const;

    AppState state;
    RecordingInteraction ui;
    std::unique_ptr<ui::frmPrincipal> main;
};

// Click `button` (an "M" or "Modificar") and, in the frmAciertos it opens, flip the given cells
// and close it with imgVolver.
void editHits(QPushButton* button, std::initializer_list<int> flips);

// Type text into a field key by key (what a person does), after clearing it with Backspace.
void retype(QWidget* field, const QString& text);

// The HitSet with exactly these counts.
HitSet hits(std::initializer_list<int> counts);

} // namespace kombitron::test

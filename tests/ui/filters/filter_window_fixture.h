#pragma once

#include <QDialog>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>

#include "core/state.h"
#include "support/recording_interaction.h"

namespace kombitron::test {

// One AppState with its twenty list rows and a marked base, and the recording Interaction the
// filter windows talk through.
class FilterWindowTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Mark exactly these numbers as the base combination.
    void setBase(std::initializer_list<int> numbers);

    // Open the window of filter row `row` as a double click on the list does and run `drive` on it
    // while it is shown; `drive` closes it. A window left open fails the test and is closed.
    void openRow(int row, const std::function<void(QDialog*)>& drive);

    const std::string& rowText(int row) const { return state.filterRows[static_cast<size_t>(row)]; }
    bool rowActive(int row) const;

    AppState state;
    RecordingInteraction ui;
};

// Click `button` (an "M" or "Modificar") and, in the frmAciertos it opens, flip the given cells
// and close it with imgVolver.
void editHits(QPushButton* button, std::initializer_list<int> flips);

// Type text into a field key by key (what a person does), after clearing it with Backspace.
void retype(QWidget* field, const QString& text);

// The HitSet with exactly these counts.
HitSet hits(std::initializer_list<int> counts);

} // namespace kombitron::test

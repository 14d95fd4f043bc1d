#pragma once

// Pictures of the image commands. Every icon comes from the desktop's icon theme by its
// freedesktop name (Adwaita when the desktop names none) and falls back to the copy bundled
// in the program's resources, so all windows show one consistent family.
//
//   button->setIcon(appIcon(AppIcon::Back));

#include <QIcon>

namespace kombitron::ui {

enum class AppIcon {
    Active,      // imgActivar, condition on
    Inactive,    // imgActivar, condition off
    Back,        // imgVolver
    Calculate,   // imgCalcular, imgCalcularGarantias
    Stop,        // imgDetener, cmdStop
    SaveBets,    // imgCalculoDefinitivo
    Guarantees,  // imgGarantias
    Report,      // reports opened in the text editor
    SelectAll,   // imgTodos
    ClearAll,    // imgNinguno, imgININumeros
    Switch,      // imgSwitch
    Search,      // imgGarantiasExtendidas
    Information, // imgInformacion
    OpenFile,    // open a file (imgAbrirPorcentajes...)
    SaveFile,    // save a file (imgGuardarPorcentajes...)
    AddFile,     // add files to a list (cmdADD)
    RemoveFile,  // remove the selected file of a list (cmdDEL)
    EmptyList,   // empty a list (cmdDELALL)
    Calculator,  // imgCalculadoraPremios
    First,       // imgPrimero
    Previous,    // imgRetroceder
    Next,        // imgAvanzar
    Last,        // imgUltimo
};

// The icon for a role (never null).
QIcon appIcon(AppIcon icon);

// Pick an icon theme when the platform names none, so fromTheme finds the Adwaita icons.
void initIconTheme();

} // namespace kombitron::ui

#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "history/draw_history.h"
#include "history/service_client.h"
#include "history/skips.h"
#include "history/statistics.h"

class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;

namespace kombitron {
class Interaction;
}

namespace kombitron::ui {

class ImageButton;
class JobRunner;
class NumericLineEdit;
class QtInteraction;
class StatisticsChart;
class WaitingPanel;

// "ESTADISTICAS - KOMBITRON": a history of real draws loaded from its file or rewritten from the
// results service, the ten statistics of a query as a table and as a chart, and the skips of
// every number. The one window that is not modal: the main window stays live beside it. It
// owns its DrawHistory and discards it when it closes, which it does only through "Cerrar" or
// when the program ends; the frame's close box does nothing. Loading and updating run off the
// UI thread with the controls disabled.
class frmEstadisticas : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "ESTADISTICAS - KOMBITRON";

    // How the update fetches every draw of a game; the results service unless a test says otherwise.
    using DrawsFetcher = std::function<ServiceDrawsResult(const std::string& game)>;

    // `gameName` selects the window's own game selector; `ui` carries its messages and dialogs.
    frmEstadisticas(const std::string& gameName, Interaction& ui, QWidget* parent = nullptr);
    ~frmEstadisticas() override;

    // File area.
    QGroupBox* fraFichero;
    QPushButton* cmdAbrirEstadisticas;
    QPushButton* cmdActualizar;
    ImageButton* imgINIFichero;
    QLineEdit* txtFicheroASCII;
    QLabel* lblSorteosCargados;
    QLabel* lblSorteoDESDE;
    QLabel* lblTemporadaDESDE;
    QLabel* lblSorteoHASTA;
    QLabel* lblTemporadaHASTA;
    QComboBox* cboTipoJuego;
    ImageButton* imgVolver;
    // Query.
    QGroupBox* fraConsultas;
    NumericLineEdit* txtTemporadaDESDE;
    NumericLineEdit* txtTemporadaHASTA;
    NumericLineEdit* txtSorteoDESDE;
    NumericLineEdit* txtSorteoHASTA;
    QComboBox* cboDia;
    QGroupBox* fraFiltros;
    QRadioButton* optFiltro[kStatisticCount];
    QLabel* lblFiltro[kStatisticCount];
    QPushButton* cmdConsultar;
    // Result: the table, its chart and the skips chart.
    QGroupBox* fraDatos;
    QLabel* lblDatos;
    QPlainTextEdit* txtDatos;
    QLabel* lblSorteosConsultados;
    QTabBar* tabGrafico;       // "Consulta" (the statistic's chart) and "Retrasos"
    StatisticsChart* picGrafico;
    StatisticsChart* picRetrasos;
    QPushButton* cmdGuardarImagen;
    // Waiting panel of the update.
    WaitingPanel* picVentanaEspera;
    QProgressBar* lblProgressBar;

    // Open dialog, then loadFile on a non-blank choice.
    void abrir();
    // LoadDrawHistory on `path` off the UI thread; the window shows the result when it ends.
    void loadFile(const std::string& path);
    // UpdateDrawHistory with the window's game, off the UI thread, behind the waiting panel.
    void actualizar();
    // ClearDrawHistory and the empty display.
    void inicializar();
    // Choose statistic `index` (0..9) as its option button does, and run the query.
    void chooseStatistic(int index);
    // "Consultar" with the chosen statistic (0 when none is chosen).
    void consultar();
    // Save the chart on view as a PNG picture.
    void guardarImagen();
    // "Cerrar": discard the history and close (the window deletes itself when shown by the main window).
    void cerrar();
    // Leaving the program: stop any work, discard the history and close.
    void closeForExit();

    // True while a load or an update runs.
    bool isBusy() const;
    const DrawHistory& history() const { return history_; }
    // Statistic chosen with an option button; -1 before any choice.
    int chosenStatistic() const { return chosen_; }

    void setDrawsFetcher(DrawsFetcher fetcher) { fetcher_ = std::move(fetcher); }
    // Service and default file used by the update.
    void setUpdateOptions(const HistoryUpdateOptions& options) { updateOptions_ = options; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* buildFileArea();
    QGroupBox* buildQuery();
    QGroupBox* buildStatistics();
    QGroupBox* buildResult();
    void buildWaitingPanel();

    StatisticsQuery currentQuery() const;
    void setWorking(bool working, bool withPanel);
    void showHistory();
    void clearResult();
    void showChart();

    Interaction* ui_;
    std::unique_ptr<QtInteraction> ownInteraction_;
    JobRunner* runner_;
    DrawHistory history_;
    DrawsFetcher fetcher_;
    HistoryUpdateOptions updateOptions_;
    QButtonGroup* options_;
    QStackedWidget* charts_;
    int chosen_ = -1;
    // The last query's result, drawn by whichever chart is on view.
    bool haveResult_ = false;
    int resultStatistic_ = 0;
    StatisticsResult result_;
    SkipsTable skips_;
    bool chartsCurrent_[2] = {false, false};
    bool closing_ = false;
};

} // namespace kombitron::ui

#pragma once
// The print object of the print library: one print, drawn in the object's
// own units: the scale, the current position and Linea (lines, boxes and
// filled boxes) the barcode encoders draw with; the options of the print,
// the windows it shows (preview, progress) and the printer it goes to; the
// pages laid out, and their state while a preview shows them.
//
// Every drawing operation is also kept, in order, as a Disegno: kind,
// corners in the object's units and colour. The page output of the library
// is built from that list, and it lets a caller check what was drawn (a
// barcode's bars against its module string) without a printer.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/stampa/OpzioniStampa.h"
#include "platform/stampa/Pagine.h"

namespace ui {
class Form;
}

namespace stampa {

class OggettoStampa;

// The runtime's printer object: the printer a print goes to.
struct Stampante {
  std::string DeviceName;  // "" the default printer
  std::string Port;
  std::string DriverName;
  int Orientation = 1;     // 1 portrait, 2 landscape
  int PaperBin = 0;        // legacy tray code, 0 the queue's default
  int PaperSize = 0;       // legacy paper code, 0 the queue's default
};

// What the library asks of the preview window it is given (`ofrmVStampa`).
class FinestraAnteprima {
 public:
  virtual ~FinestraAnteprima() = default;
  // The print whose pages the window shows (nullptr: none).
  virtual void ImpostaStampa(OggettoStampa* stampa) = 0;
  // The page just produced, as a picture file.
  virtual void MostraFilePagina(const std::string& file) = 0;
  // The window's message line ("Stampa Terminata" when the print ended).
  virtual void Messaggio(const std::string& testo) = 0;
  // Arrows first, previous, next, last and "&Esci".
  virtual void AbilitaComandi(bool primo, bool precedente, bool successivo, bool ultimo, bool esci) = 0;
  virtual bool Attivo() const = 0;
  // Waits for the user: returns when a page not produced yet was asked for
  // (`MostraPagina`) or the user left.
  virtual void Continua() = 0;
};

// What the library asks of the progress window (`ofrmStampaInCorso`).
class FinestraAvanzamento {
 public:
  virtual ~FinestraAvanzamento() = default;
  virtual void ImpostaStampa(OggettoStampa* stampa) = 0;
  // The page being printed (0 while the print is prepared).
  virtual void MostraAvanzamento(int pagina) = 0;
  // Asks again for the e-mail login; true to try once more.
  virtual bool ChiediEmailLogPwd() = 0;
};

// Scale modes of the legacy print surfaces: the unit of every coordinate.
enum ScalaStampa : int {
  ScalaTwip = 1, ScalaPunto = 2, ScalaPixel = 3, ScalaCarattere = 4, ScalaPollice = 5,
  ScalaMillimetro = 6, ScalaCentimetro = 7,
};

inline constexpr long ColoreNero = 0x000000;
inline constexpr long ColoreBianco = 0xFFFFFF;

enum class TipoDisegno { Linea, Riquadro, RiquadroPieno };

struct Disegno {
  TipoDisegno tipo;
  float x1, y1, x2, y2;  // in the units of the object when it was drawn
  long colore;           // red-green-blue value, 0 black, FFFFFF white
};

class OggettoStampa {
 public:
  OggettoStampa() = default;
  virtual ~OggettoStampa();
  OggettoStampa(const OggettoStampa&) = delete;
  OggettoStampa& operator=(const OggettoStampa&) = delete;

  // Millimetres unless changed: the callers give label-sized symbols
  // (30 x 10) and lists measured on paper. Raises 380 for an unknown mode.
  int ScaleMode() const { return scala_; }
  void ScaleMode(int modo);
  // Twips in one unit of the current scale (a twip is 1/1440 inch).
  double TwipPerUnita() const;

  float CurrentX() const { return x_; }
  void CurrentX(float x) { x_ = x; }
  float CurrentY() const { return y_; }
  void CurrentY(float y) { y_ = y; }

  // Colour of a Linea called without one.
  long ForeColor() const { return colore_; }
  void ForeColor(long colore) { colore_ = colore; }

  // Linea(x1, y1, x2, y2, colour, option): a line from (x1, y1) to (x2, y2);
  // option "B" a box with those opposite corners, "BF" a filled box (letter
  // case ignored). A negative colour takes ForeColor. The current position
  // moves to (x2, y2). Raises 5 for any other option.
  void Linea(float x1, float y1, float x2, float y2, long colore = -1, std::string_view opzione = {});

  const std::vector<Disegno>& Disegni() const { return disegni_; }
  void AzzeraDisegni() { disegni_.clear(); }

  // ---- the print
  std::shared_ptr<OpzioniStampa> ogOpzSta() const { return opz_; }
  void SetogOpzSta(std::shared_ptr<OpzioniStampa> o) { opz_ = std::move(o); }
  ui::Form* ofrmVStampa() const { return frmVStampa_; }
  void SetofrmVStampa(ui::Form* f) { frmVStampa_ = f; }
  ui::Form* ofrmStampaInCorso() const { return frmStampaInCorso_; }
  void SetofrmStampaInCorso(ui::Form* f) { frmStampaInCorso_ = f; }
  Stampante* ogPrtStam() const { return prt_; }
  void SetogPrtStam(Stampante* p) { prt_ = p; }

  // 1 stops the running print; 2 the user left the preview.
  int StatoStampa() const { return statoStampa_; }
  void SetStatoStampa(int v) { statoStampa_ = v; }
  int Pagina() const { return pagina_; }
  void SetPagina(int v) { pagina_ = v; }
  int NumPagine() const { return numPagine_; }
  int PaginaMax() const { return paginaMax_; }
  void SetPaginaMax(int v) { paginaMax_ = v; }
  int MostraPagina() const { return mostraPagina_; }
  void SetMostraPagina(int v) { mostraPagina_ = v; }
  bool FlagAnteprima() const { return flagAnteprima_; }
  void SetFlagAnteprima(bool v) { flagAnteprima_ = v; }
  bool MemPagine() const { return memPagine_; }
  void SetMemPagine(bool v) { memPagine_ = v; }
  // Joined they are the prefix of the page files: a folder of this print
  // object only (created at the first call), so that two previews never
  // touch each other's pages. Removed with the object.
  std::string PercorsoFile() const;
  std::string NomeFileTemp() const { return "StaVid"; }

  // The pages laid out for the print.
  Documento& Doc() { return doc_; }
  const Documento& Doc() const { return doc_; }

  // Prints Doc() where the options say (printer, screen; a file or the
  // fixed-length destination get a PDF under FileName / FisFileName).
  // False with the message shown to the user in `errore` when it failed or
  // was stopped. Lets window messages through between pages.
  bool StampaDocumento(std::string& errore);
  // The page range of the options, 0-based and inclusive, within Doc().
  void Intervallo(int& da, int& a) const;
  // The picture file of page `n` (1-based) for the preview.
  std::string FilePagina(int n) const;
  // Called between pages: lets window messages through and answers false
  // when the print is to stop.
  bool Prosegui();
  // The progress window, when the print has one.
  FinestraAvanzamento* Avanzamento() const;
  // The PDF the library's own PDF printer wrote last ("" none).
  const std::string& PdfScritto() const { return pdfScritto_; }

 private:
  bool Anteprima(std::string& errore);
  void MostraAvanzamento(bool mostra);

 protected:
  // Where a subclass that renders a page receives each operation as drawn.
  virtual void Disegnato(const Disegno&) {}

 private:
  int scala_ = ScalaMillimetro;
  float x_ = 0;
  float y_ = 0;
  long colore_ = ColoreNero;
  std::vector<Disegno> disegni_;

  std::shared_ptr<OpzioniStampa> opz_;
  ui::Form* frmVStampa_ = nullptr;
  ui::Form* frmStampaInCorso_ = nullptr;
  Stampante* prt_ = nullptr;
  int statoStampa_ = 0;
  int pagina_ = 1, numPagine_ = 0, paginaMax_ = 0, mostraPagina_ = 1;
  bool flagAnteprima_ = false, memPagine_ = true;
  mutable std::string cartella_;
  int paginaInCorso_ = 0;
  std::string pdfScritto_;
  Documento doc_;
};

}  // namespace stampa

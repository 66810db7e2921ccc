#include "platform/stampa/OggettoStampa.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/Errore.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/stampa/Stampanti.h"
#include "platform/ui/Form.h"

namespace stampa {

void OggettoStampa::ScaleMode(int modo) {
  if (modo < ScalaTwip || modo > ScalaCentimetro) vb::Solleva(380);
  scala_ = modo;
}

double OggettoStampa::TwipPerUnita() const {
  switch (scala_) {
    case ScalaPunto: return 20.0;
    case ScalaPixel: return 15.0;       // 96 pixels to the inch
    case ScalaCarattere: return 120.0;  // horizontal character cell
    case ScalaPollice: return 1440.0;
    case ScalaMillimetro: return 1440.0 / 25.4;
    case ScalaCentimetro: return 1440.0 / 2.54;
    default: return 1.0;
  }
}

void OggettoStampa::Linea(float x1, float y1, float x2, float y2, long colore,
                          std::string_view opzione) {
  TipoDisegno tipo;
  if (opzione.empty()) {
    tipo = TipoDisegno::Linea;
  } else if (vb::UgualeTesto(opzione, "B")) {
    tipo = TipoDisegno::Riquadro;
  } else if (vb::UgualeTesto(opzione, "BF")) {
    tipo = TipoDisegno::RiquadroPieno;
  } else {
    vb::Solleva(vb::ErrChiamataNonValida);
  }
  Disegno d{tipo, x1, y1, x2, y2, colore < 0 ? colore_ : colore};
  disegni_.push_back(d);
  x_ = x2;
  y_ = y2;
  Disegnato(d);
}

}  // namespace stampa

// ---------------------------------------------------------------- the print

namespace stampa {

namespace {

bool ProseguiPdf(void* dati) {
  auto* o = static_cast<OggettoStampa*>(dati);
  return o->Prosegui();
}

bool StampantePdf(const std::string& nome) {
  return vb::UgualeTesto(nome, "PDFCreator") || vb::UgualeTesto(nome, "PDF995");
}

}  // namespace

OggettoStampa::~OggettoStampa() {
  if (!cartella_.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(cartella_, ec);
  }
}

std::string OggettoStampa::PercorsoFile() const {
  if (cartella_.empty()) {
    const char* t = std::getenv("TMPDIR");
    std::string modello = std::string(t && *t ? t : "/tmp") + "/ddt-stampa-XXXXXX";
    std::vector<char> buf(modello.begin(), modello.end());
    buf.push_back('\0');
    if (mkdtemp(buf.data())) cartella_ = std::string(buf.data()) + "/";
  }
  return cartella_;
}

void OggettoStampa::Intervallo(int& da, int& a) const {
  const int n = doc_.NumPagine();
  da = 0;
  a = n - 1;
  if (!opz_) return;
  const vb::Variant vda = opz_->LeggiOpzione("PaginaDa");
  const vb::Variant va = opz_->LeggiOpzione("PaginaA");
  int pda = 0, pa = 0;
  try {
    if (!vda.IsEmpty() && !vda.IsNull()) pda = vda.ToInt();
    if (!va.IsEmpty() && !va.IsNull()) pa = va.ToInt();
  } catch (...) {
  }
  if (pda > 0) da = pda - 1;
  if (pa > 0 && pa - 1 < a) a = pa - 1;
}

std::string OggettoStampa::FilePagina(int n) const {
  return PercorsoFile() + "pagina" + std::to_string(n) + ".png";
}

FinestraAvanzamento* OggettoStampa::Avanzamento() const {
  return dynamic_cast<FinestraAvanzamento*>(frmStampaInCorso_);
}

bool OggettoStampa::Prosegui() {
  ui::DoEvents();
  if (FinestraAvanzamento* f = Avanzamento()) f->MostraAvanzamento(++paginaInCorso_);
  return statoStampa_ != 1;
}

void OggettoStampa::MostraAvanzamento(bool mostra) {
  FinestraAvanzamento* f = Avanzamento();
  if (!f) return;
  if (mostra) {
    frmStampaInCorso_->Load();
    f->ImpostaStampa(this);
    f->MostraAvanzamento(0);
    frmStampaInCorso_->Show(0);
    ui::DoEvents();
  } else if (frmStampaInCorso_->Caricata()) {
    frmStampaInCorso_->Unload();
  }
}

bool OggettoStampa::StampaDocumento(std::string& errore) {
  statoStampa_ = 0;
  flagAnteprima_ = false;
  paginaInCorso_ = 0;
  if (!opz_) opz_ = std::make_shared<OpzioniStampa>();
  OpzioniStampa& o = *opz_;
  if (doc_.NumPagine() == 0) {
    errore = "Non ci sono dati da stampare";
    return false;
  }
  int da = 0, a = 0;
  Intervallo(da, a);
  if (a < da) {
    errore = "Nessuna pagina da stampare nell'intervallo scelto";
    return false;
  }
  const vb::Variant mostra = o.LeggiOpzione("MostraNumPag");
  if (!mostra.IsEmpty() && !mostra.IsNull() && mostra.ToBool()) {
    const int n = a - da + 1;
    if (vb::MsgBox("La stampa è composta da " + std::to_string(n) + (n == 1 ? " pagina" : " pagine") + ".",
                   vb::vbOKCancel | vb::vbInformation, "Stampa") != vb::vbOK) {
      errore = "Stampa annullata";
      return false;
    }
  }
  if (o.oiStaVid == StaVideo) return Anteprima(errore);

  std::string file;
  std::string coda;
  bool pdf = false;
  switch (o.oiStaVid) {
    case StaFile: file = o.FileName; break;
    case StaFissa: file = o.FisFileName; break;
    default: {
      coda = !o.osNomeStampante.empty() ? o.osNomeStampante : (prt_ ? prt_->DeviceName : std::string());
      pdf = StampantePdf(coda);
      if (pdf) {
        const vb::Variant nome = o.LeggiOpzione("PdfNomeFile");
        file = nome.IsString() ? nome.ToString() : std::string();
        if (file.empty()) file = o.FileName;
        if (file.empty()) file = PercorsoFile() + "Stampa.pdf";
        coda.clear();
      } else {
        file = PercorsoFile() + "Lavoro.pdf";
      }
    }
  }
  if (file.empty()) {
    errore = "Manca il nome del file di stampa";
    return false;
  }
  MostraAvanzamento(true);
  bool ok = ScriviPdf(doc_, da, a, file, errore, ProseguiPdf, this);
  if (ok && pdf) {
    pdfScritto_ = file;
  } else if (ok && o.oiStaVid == StaStampante) {
    const int cassetto = o.LeggiOpzione("NumCassetto").IsEmpty() ? (prt_ ? prt_->PaperBin : 0)
                                                                  : o.LeggiOpzione("NumCassetto").ToInt();
    const int carta = o.LeggiOpzione("NumTipoCarta").IsEmpty() ? (prt_ ? prt_->PaperSize : 0)
                                                                : o.LeggiOpzione("NumTipoCarta").ToInt();
    LavoroStampa l;
    l.coda = coda;
    l.file = file;
    l.titolo = o.CodStampa.empty() ? "Stampa" : o.CodStampa;
    l.cassetto = cassetto;
    l.carta = carta;
    ok = InviaLavoro(l, errore);
    std::error_code ec;
    std::filesystem::remove(file, ec);
  }
  MostraAvanzamento(false);
  return ok;
}

bool OggettoStampa::Anteprima(std::string& errore) {
  auto* f = dynamic_cast<FinestraAnteprima*>(frmVStampa_);
  if (!f) {
    errore = "La finestra di anteprima non è disponibile";
    return false;
  }
  int da = 0, a = 0;
  Intervallo(da, a);
  frmVStampa_->Load();
  f->ImpostaStampa(this);
  memPagine_ = opz_->MemVid != 0;
  numPagine_ = 0;
  if (mostraPagina_ < da + 1) mostraPagina_ = da + 1;
  frmVStampa_->Show(0);
  const double fattore = opz_->Fatt > 0 ? opz_->Fatt : 1.0;
  while (true) {
    int p = mostraPagina_;
    if (p <= numPagine_) p = numPagine_ + 1;
    if (p - 1 > a) p = a + 1;
    const std::string file = FilePagina(p);
    if (!ScriviPng(doc_, p - 1, fattore, file, errore)) return false;
    numPagine_ = p;
    pagina_ = p;
    mostraPagina_ = p;
    f->MostraFilePagina(file);
    const bool ultima = p - 1 >= a;
    const bool indietro = memPagine_ && p > da + 1;
    f->AbilitaComandi(indietro, indietro, !ultima, memPagine_, true);
    if (ultima) {
      f->Messaggio("Stampa Terminata");
      break;
    }
    f->Continua();
    if (statoStampa_ != 0 || flagAnteprima_ || !f->Attivo()) break;
  }
  return true;
}

}  // namespace stampa

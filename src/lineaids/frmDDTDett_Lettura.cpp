// Lines from reader files: the article import. One record of the file is
// one new line, typed into the line's fields and saved as the user would,
// so that the line's own checks, the eco-fee line and the level editor run
// for it; each step places one record and the deferred step 5 of the
// window's timer starts the next one once the line is stored.
//
// The serial-number import needs the serial routines of the line and is
// not part of this version yet: its command says so and changes nothing.
#include <charconv>
#include <filesystem>
#include <string>
#include <system_error>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "lineaids/LetturaFile.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Percorsi.h"
#include "platform/Processi.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Form.h"

using DettUtil::NonDisponibile;

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Uguale(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

std::string Ini(const std::string& sezione, const std::string& chiave, const std::string& def = "") {
  std::string valore;
  FunVarie::LeggiParIni(sezione, chiave, def, valore);
  return valore;
}
int16_t IniInt(const std::string& sezione, const std::string& chiave) {
  return FC().ValInt(vb::Variant(Ini(sezione, chiave, "0")), true, true);
}

// A number as the user types it: decimal comma, no grouping, every digit
// the file gave (the field's own exit applies the line's rules).
std::string NumeroDigitato(double v) {
  char buf[64];
  auto [fine, ec] = std::to_chars(buf, buf + sizeof buf, v);
  if (ec != std::errc()) return "0";
  std::string s(buf, fine);
  for (char& c : s)
    if (c == '.') c = ',';
  return s;
}

// Any error reaching a step of the import: shown in the common window.
void MostraErr() {
  try {
    throw;
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  } catch (const std::exception& e) {
    frmMsgCom::MsgErrfrm(vb::Variant(std::string(e.what())), vb::Variant(5));
  } catch (...) {
    frmMsgCom::MsgErrfrm(vb::Variant("errore imprevisto"), vb::Variant(5));
  }
}

}  // namespace

// ------------------------------------------------------------ the layout

void frmDDTDett::ImpLetDaFile(const std::string& psLettArtDafile, bool pbDisTool) {
  if (pbDisTool) {
    // The window's load: nothing of a previous opening survives.
    if (mpFileLettura) mpFileLettura->Chiudi();
    mpFileLettura.reset();
    mlRigDetArtRaee = 0;
    mlRigLivArtRaee = 0;
    mbNoEventiRaee = false;
  }
  msLettArtParag = psLettArtDafile;
  if (!mpLettArt) mpLettArt = std::make_shared<lettura::Tracciato>();
  if (mbLettArtDafile) {
    const std::string& s = psLettArtDafile;
    lettura::Tracciato& t = *mpLettArt;
    t.FileOrigine = Ini(s, "FileOrigine");
    t.CodInizio = IniInt(s, "CodInizio");
    if (t.CodInizio == 0 || (t.FileOrigine.empty() && pbDisTool)) {
      mbLettArtDafile = false;
    } else {
      t.QtaInizio = IniInt(s, "QtaInizio");
      t.ImpUniInizio = IniInt(s, "ImpUniInizio");
      t.ImpTotInizio = IniInt(s, "ImpTotInizio");
      t.FissoSep = Ini(s, "FissoSep", "F");
      if (Uguale(t.FissoSep, "F")) {
        t.CodLung = IniInt(s, "CodLung");
        t.QtaLung = IniInt(s, "QtaLung");
        t.ImpUniLung = IniInt(s, "ImpUniLung");
        t.ImpTotLung = IniInt(s, "ImpTotLung");
        if (pbDisTool && (t.CodLung == 0 || (t.QtaLung == 0 && t.QtaInizio > 0) ||
                          (t.ImpUniLung == 0 && t.ImpUniInizio > 0) || (t.ImpTotLung == 0 && t.ImpTotInizio > 0)))
          mbLettArtDafile = false;
      } else if (Uguale(t.FissoSep, "S")) {
        t.Separatore = Ini(s, "Separatore");
        if (t.Separatore.empty()) {
          if (pbDisTool) mbLettArtDafile = false;
        } else {
          const double codice = FC().ValDouble(vb::Variant(t.Separatore), true, true);
          if (codice > 0 && codice < 256 && codice == static_cast<int>(codice))
            t.Separatore = vb::DaWindows1252(std::string(1, static_cast<char>(static_cast<int>(codice))));
        }
      }
      t.ExePrima = Ini(s, "ExePrima");
      t.CancFile = Ini(s, "CancFile");
      msCancFile = t.CancFile;
      t.CodArtSeqRic = vb::Trim(Ini(s, "CodArtSeqRic"));
      t.AddArtPrima = Ini(s, "AddArtPrima");
      t.AddArtDopo = Ini(s, "AddArtDopo");
      t.CodArtInizIdent = Ini(s, "CodArtInizIdent");
    }
  }
  if (pbDisTool && Esiste("tolLinPag")) {
    ui::Controllo& barra = tolLinPag();
    if (barra.HaElem("LetturaDaFile")) {
      barra.Elem("LetturaDaFile").Visible = mbLettArtDafile;
      barra.ElementoCambiato();
    }
  }
}

// ------------------------------------------------------------ one step

void frmDDTDett::LeggiDaFileBarCode() {
  if (!mpLettArt) mpLettArt = std::make_shared<lettura::Tracciato>();
  const lettura::Tracciato& t = *mpLettArt;
  if (!HaPagina()) return;
  if (!mbLetturaFile) {
    if (InVar() && ogLinPag().Stato() != 2) {
      frmMsgCom::msgCom("Salvare i dati prima di importare i dati dal file", "&Ok");
      return;
    }
    try {
      if (!t.ExePrima.empty()) {
        // The shell's "Open": the desktop's opener for the program or
        // document; nothing waits for it but the user's answer.
        vb::processi::Avvia({"xdg-open", vb::PercorsoLocale(t.ExePrima)});
        if (frmMsgCom::msgCom("Premere Ok dopo che lo scaricamento dei dati è stato completato", "&Ok",
                              vb::Variant("&Annulla")) == 2)
          return;
      }
      if (ogLinPag().Stato() != 2) {
        ButtonComando("Inserisci");
        ui::DoEvents();
        if (!HaPagina()) return;
      }
      std::error_code ec;
      if (!std::filesystem::is_regular_file(vb::PercorsoLocale(t.FileOrigine), ec)) {
        frmMsgCom::msgCom("File (" + t.FileOrigine + ") da caricare non trovato", "&Ok");
        return;
      }
      auto file = std::make_shared<lettura::FileRighe>();
      if (!file->Apri(vb::PercorsoLocale(t.FileOrigine))) throw vb::Errore(75, "Errore di accesso al percorso/file");
      mpFileLettura = file;
      miFileLettura = 1;
      mbLetturaFile = true;
    } catch (...) {
      MostraErr();
      return;
    }
  } else if (ogLinPag().Stato() != 2) {
    try {
      ButtonComando("Inserisci");
      ui::DoEvents();
    } catch (...) {
      MostraErr();
    }
    if (!HaPagina() || !mbLetturaFile) return;
  }

  lettura::Record rec;
  try {
    miStatoTimer = 0;
    std::string riga;
    bool trovata = false;
    while (mpFileLettura && mpFileLettura->LeggiRiga(riga)) {
      if (!FC().Vuoto(vb::Variant(riga))) {
        trovata = true;
        break;
      }
    }
    if (!trovata) {
      FineLetCodBar();
      return;
    }
    rec = lettura::TagliaRecord(t, riga);
  } catch (...) {
    // The import ends; the file stays where it is.
    MostraErr();
    mbLetturaFile = false;
    if (mpFileLettura) mpFileLettura->Chiudi();
    mpFileLettura.reset();
    miFileLettura = 0;
    return;
  }
  AggDettArt(rec.codice, rec.qta, rec.imp, rec.qualeImp);
}

std::string frmDDTDett::LeggiCampo(const std::string& psRiga, int16_t piNumCampo) {
  if (mpLettArt && Uguale(mpLettArt->FissoSep, "S"))
    return lettura::CampoSeparato(psRiga, mpLettArt->Separatore, piNumCampo);
  return LeggiCampoApici(psRiga, piNumCampo);
}

std::string frmDDTDett::LeggiCampoApici(const std::string& psRiga, int16_t piNumCampo) {
  return lettura::CampoApici(psRiga, piNumCampo);
}

// ------------------------------------------------------------ the line

bool frmDDTDett::DecArtDaCodBar(dati::GestRecordset& pgRecDat, std::string& psRecDat, const std::string& psArticolo,
                                bool pbCercaCodBarre) {
  const Globali& g = G();
  const std::string sql = std::string("Select * from Articoli") + (pbCercaCodBarre ? " Where BarCode = " : " Where Articolo = ") +
                          FC().ValoreSql(vb::Variant(psArticolo), 8);
  psRecDat = pgRecDat.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", sql, false, 4);
  const bool trovato = !pgRecDat.NessunRecord(psRecDat);
  pgRecDat.ChiudiRecordset(psRecDat);
  return trovato;
}

vb::Variant frmDDTDett::AggDettArt(std::string& psArticolo, double pdQta, double pdImp, int16_t piQualeImp) {
  Globali& g = G();
  const lettura::Tracciato& t = mpLettArt ? *mpLettArt : lettura::Tracciato{};
  const int16_t keyPrima = g.giKeyRicDdt;
  try {
    // Which search finds the code: 0 none, 1 by barcode, 2 by article code.
    int trovato = 0;
    dati::GestRecordset rs;
    std::string chiave;
    auto perCodice = [&] { return DecArtDaCodBar(rs, chiave, t.AddArtPrima + psArticolo + t.AddArtDopo, false); };
    auto perBarCode = [&] { return DecArtDaCodBar(rs, chiave, psArticolo, true); };
    const std::string seq = vb::UCase(t.CodArtSeqRic);
    if (!t.CodArtInizIdent.empty() && vb::UgualeTesto(vb::Left(psArticolo, vb::Len(t.CodArtInizIdent)), t.CodArtInizIdent)) {
      psArticolo = vb::Mid(psArticolo, vb::Len(t.CodArtInizIdent) + 1);
      if (perCodice()) trovato = 2;
    } else {
      const std::string primo = vb::Left(seq, 1), secondo = vb::Mid(seq, 2, 1);
      if (seq.empty() || primo == "B") {
        if (perBarCode()) trovato = 1;
      } else if (perCodice()) {
        trovato = 2;
      }
      if (trovato == 0 && (seq.empty() || vb::Len(seq) > 1)) {
        if (seq.empty() || secondo == "C") {
          if (perCodice()) trovato = 2;
        } else if (secondo == "B") {
          if (perBarCode()) trovato = 1;
        }
      }
    }
    if (trovato == 2) psArticolo = t.AddArtPrima + psArticolo + t.AddArtDopo;
    if (trovato != 0) g.giKeyRicDdt = trovato == 1 ? 1 : 0;

    SpostaFuoco(&txt(20));
    ui::DoEvents();
    txt(20).SetText(psArticolo);
    txt_LostFocus(20);
    ui::DoEvents();
    if (!HaPagina()) {
      g.giKeyRicDdt = keyPrima;
      return std::string();
    }
    if (!ArtConLivelli()) {
      auto scrivi = [&](int n, double v) {
        masValIngresso[static_cast<size_t>(n)].clear();
        try {
          SpostaFuoco(&txt(n));
        } catch (...) {
        }
        masValIngresso[static_cast<size_t>(n)].clear();
        ui::DoEvents();
        txt(n).SetText(NumeroDigitato(v));
        txt_LostFocus(n);
      };
      scrivi(30, pdQta);
      if (piQualeImp == 1) scrivi(70, pdImp);
      else if (piQualeImp == 2) scrivi(60, pdImp);
    }
    g.giKeyRicDdt = keyPrima;
    ButtonComando("Salva");
  } catch (...) {
    g.giKeyRicDdt = keyPrima;
    MostraErr();
    try {
      throw;
    } catch (const std::exception& e) {
      return std::string(e.what());
    } catch (...) {
      return std::string("errore imprevisto");
    }
  }
  return std::string();
}

// ------------------------------------------------------------ the end

void frmDDTDett::FineLetCodBar() {
  mbLetturaFile = false;
  try {
    if (mpFileLettura) mpFileLettura->Chiudi();
  } catch (...) {
  }
  mpFileLettura.reset();
  miFileLettura = 0;
  const std::string file = mpLettArt ? mpLettArt->FileOrigine : std::string();
  bool cancella = false;
  if (Uguale(msCancFile, "S"))
    cancella = true;
  else if (!Uguale(msCancFile, "N"))
    cancella = frmMsgCom::msgCom("Cancello file caricato", "&Sì", vb::Variant("&No")) == 1;
  if (!cancella) return;
  std::error_code ec;
  if (!std::filesystem::remove(vb::PercorsoLocale(file), ec) || ec) {
    const std::string testo = ec ? ec.message() : std::string("File non trovato");
    frmMsgCom::MsgErrfrm(vb::Variant(testo + " - " + file), vb::Variant(ec ? 75 : 53));
  }
}

// ------------------------------------------------------------ serial numbers

void frmDDTDett::ImpLetDaFileMatr(const std::string& psLettArtDafile, bool) {
  msLettMatrParag = psLettArtDafile;
  mbLettMatrDafile = false;
}
void frmDDTDett::LeggiDaFileMatricole() { NonDisponibile("La lettura delle matricole da file"); }
void frmDDTDett::FineLetMatr(bool) {}

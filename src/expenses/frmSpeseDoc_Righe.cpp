// The rules of the expense rows in the grid: a cell against the expense
// master, the look-ups, the whole row before it is stored, the number of a
// new row, the customer's own expense.
#include <exception>

#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "expenses/AggSpeBan.h"
#include "expenses/frmSpeseDoc.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Form.h"
#include "platform/ui/Griglia.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

bool Uguale(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

std::string Testo(const vb::Variant& v) {
  if (v.IsEmpty() || v.IsNull() || v.IsMissing()) return {};
  return v.ToString();
}

// The master's values of one expense code, by position as they are asked.
enum PosSpesa {
  kTipo0,
  kMoneta,
  kTipo,
  kIva,
  kPercentuale,
  kImporto,
  kImportoMax,
  kImportoMin,
  kImportoLire,
  kImportoMaxLire,
  kImportoMinLire,
  kSoggRitAcc,
  kCassaPrev,
  kNumPos
};
const char* const kCampiSpesa[kNumPos] = {"TipoAddebito", "Moneta",         "TipoAddebito",   "Iva",        "Percentuale",
                                          "Importo",      "ImportoMax",     "ImportoMin",     "ImportoLire", "ImportoMaxLire",
                                          "ImportoMinLire", "SoggRitAcc",   "CassaPrev"};

vb::Variant NullSeVuoto(const vb::Variant& v) {
  return FC().Vuoto(v) ? vb::Variant(vb::Null) : v;
}

}  // namespace

// ---------------------------------------------------------------- cells

vb::Variant frmSpeseDoc::ValCella(int piCol) const {
  ui::Griglia& g = dbgRiga();
  if (const vb::Variant* v = g.ValoreInScrittura(piCol)) return *v;
  if (mbInModifica && piCol == g.Col()) return vb::Variant(msTestoModifica);
  if (piCol < 0 || piCol >= g.NumColonne()) return vb::Variant(vb::Null);
  return g.ValoreCella(piCol);
}

bool frmSpeseDoc::DatoCambiato(int piCol) const {
  ui::Griglia& g = dbgRiga();
  if (g.ValoreInScrittura(piCol)) return true;
  if (mbInModifica && piCol == g.Col() && msTestoModifica != g.TestoCella(piCol)) return true;
  return mCambiate.count(piCol) > 0;
}

vb::Variant frmSpeseDoc::ValoreVisto(const std::string& psCampo) const {
  if (mbVistaRiga && Uguale(psCampo, "Descrizione")) return mvDescrRiga;
  if (mbVistaRiga && Uguale(psCampo, "TipoAddebito")) return mvTipoRiga;
  const int c = Colonna(psCampo);
  return c < 0 ? vb::Variant(vb::Null) : ValCella(c);
}

void frmSpeseDoc::ScriviCellaProg(int piCol, const vb::Variant& pvValore) {
  ui::Griglia& g = dbgRiga();
  if (piCol < 0 || piCol >= g.NumColonne()) vb::Solleva(6147, "Colonna non trovata");
  ui::ColonnaGriglia& c = g.Colonna(piCol);
  const bool bloccata = c.Locked;
  const bool aiuto = mbInAiuto;
  c.Locked = false;
  mbInAiuto = true;
  bool fatto = false;
  try {
    fatto = g.ScriviCella(piCol, pvValore);
  } catch (...) {
    g.Colonna(piCol).Locked = bloccata;
    mbInAiuto = aiuto;
    throw;
  }
  g.Colonna(piCol).Locked = bloccata;
  mbInAiuto = aiuto;
  if (!fatto) vb::Solleva(3164, "Impossibile aggiornare il campo " + c.DataField);
}

void frmSpeseDoc::ScriviCellaProg(const std::string& psCampo, const vb::Variant& pvValore) {
  ScriviCellaProg(Colonna(psCampo), pvValore);
}

void frmSpeseDoc::DimenticaRiga() {
  mCambiate.clear();
  mbVistaRiga = false;
  mvDescrRiga = vb::Variant(vb::Null);
  mvTipoRiga = vb::Variant(vb::Null);
}

// ---------------------------------------------------------------- DatiValidi

bool frmSpeseDoc::DatiValidi(int piColIndex, bool pbSoloDecod, bool pbAggDati) {
  if (miInVerifica == 1) return true;
  miInVerifica = 1;
  bool rifiuto = false;
  try {
    const Globali& g = G();
    const std::string col = NomeColonna(piColIndex);
    const bool cambiato = DatoCambiato(piColIndex);
    auto rifiuta = [&](const std::string& m) {
      Messaggio(m);
      rifiuto = true;
    };
    if (Uguale(col, "Spesa")) {
      if (cambiato || (!pbAggDati && mbCassaPrevNoImpon)) {
        const vb::Variant codice = ValCella(piColIndex);
        std::vector<vb::Variant> campi(kCampiSpesa, kCampiSpesa + kNumPos);
        vb::Variant descr;
        const long trovato =
            g.goZelAiuto ? g.goZelAiuto->CercaValore("Spese", "Spesa", codice, descr, 0, 8, "", 0, &campi, "").ToLong()
                         : -1;
        if (trovato == -1) {
          // An empty row's code looked up on a mere row change is no refusal.
          if (cambiato) rifiuta("Codice Spesa non valido");
          else msCassaPrevSpesa.clear();
        } else {
          const vb::Variant& moneta = campi[kMoneta];
          bool monetaOk = true;
          // The grid is kinder than the automatic rows: an expense without a
          // currency fits a document in lire or euro as well.
          if (!moneta.IsNull()) {
            const std::string m = Testo(moneta);
            monetaOk = AggSpeBan::MonetaAdatta(m, osMoneta) ||
                       (AggSpeBan::MonetaNazionale(osMoneta) && vb::Trim(m).empty());
          }
          if (!monetaOk) {
            rifiuta("Codice Spesa con moneta non valida");
          } else {
            msCassaPrevSpesa = Testo(campi[kCassaPrev]);
            if (cambiato) {
              // Shown for the row, never written: they are the master's.
              mbVistaRiga = true;
              mvDescrRiga = NullSeVuoto(descr);
              mvTipoRiga = NullSeVuoto(campi[kTipo]);
              if (pbAggDati) {
                const bool cassaSenzaIva = Uguale(msCassaPrevSpesa, "S") && mbCassaPrevNoImpon;
                if (!cassaSenzaIva)
                  ScriviCellaProg("Iva", FC().Vuoto(vb::Variant(osIvaTest)) ? campi[kIva] : vb::Variant(osIvaTest));
                if (!Uguale(Testo(campi[kTipo]), "I"))
                  ScriviCellaProg("Percentuale", vb::Variant(FC().ValDouble(campi[kPercentuale])));
                const bool lire = AggSpeBan::ColonneLire(osMoneta);
                auto importo = [&](int pos) {
                  const vb::Variant& v = campi[static_cast<size_t>(pos)];
                  return FC().Vuoto(v) ? vb::Variant(vb::Currency()) : vb::Variant(v.ToCurrency());
                };
                ScriviCellaProg("Importo", importo(lire ? kImportoLire : kImporto));
                ScriviCellaProg("ImportoMax", importo(lire ? kImportoMaxLire : kImportoMax));
                ScriviCellaProg("ImportoMin", importo(lire ? kImportoMinLire : kImportoMin));
                ScriviCellaProg("SoggRitAcc", vb::Variant(Uguale(Testo(campi[kSoggRitAcc]), "S") ? "S" : "N"));
              }
            }
          }
        }
      }
    } else if (Uguale(col, "Iva")) {
      if (cambiato) {
        const vb::Variant codice = ValCella(piColIndex);
        const bool vuotoAmmesso =
            FC().Vuoto(codice) && Uguale(msCassaPrevSpesa, "S") && mbCassaPrevNoImpon;
        if (!vuotoAmmesso) {
          vb::Variant descr;
          const long trovato =
              g.goZelAiuto ? g.goZelAiuto->CercaValore("Tabiva", "Iva", codice, descr, 0, 8, "", 0, nullptr, "").ToLong()
                           : -1;
          if (trovato == -1) rifiuta("Codice Iva non valido");
        }
      }
    } else if (Uguale(col, "Importo")) {
      const std::string tipo = Testo(ValoreVisto("TipoAddebito"));
      if ((Uguale(tipo, "P") || Uguale(tipo, "T")) && FC().ValDouble(ValCella(piColIndex)) > 0)
        rifiuta("Addebito in percentuale: impossibile inserire importo spesa");
    } else if (Uguale(col, "Percentuale")) {
      const std::string tipo = Testo(ValoreVisto("TipoAddebito"));
      const vb::Variant v = ValCella(piColIndex);
      if (!Uguale(tipo, "P") && !Uguale(tipo, "T") && FC().ValDouble(v) > 0)
        rifiuta("Addebito NON in percentuale: inserire soltanto l'importo spesa");
      else if (FC().Vuoto(v) && !dbgRiga().ValoreInScrittura(piColIndex))
        ScriviCellaProg(piColIndex, vb::Variant(0.0));
    } else if (Uguale(col, "SoggRitAcc")) {
      const std::string v = vb::UCase(Testo(ValCella(piColIndex)));
      if (v != "S" && v != "N") rifiuta("Soggetto a ritenuto d'acconto non valido: inserire S o N");
      else if (v != Testo(ValCella(piColIndex)) && !dbgRiga().ValoreInScrittura(piColIndex))
        ScriviCellaProg(piColIndex, vb::Variant(v));
    }
  } catch (const vb::Errore& e) {
    miInVerifica = 0;
    frmMsgCom::MsgErrfrm(e);
    return false;
  } catch (const std::exception& e) {
    miInVerifica = 0;
    frmMsgCom::MsgErrfrm(vb::Variant(std::string(e.what())), vb::Variant(5));
    return false;
  }
  miInVerifica = 0;
  return !rifiuto || pbSoloDecod;
}

// ---------------------------------------------------------------- look-ups

void frmSpeseDoc::DecodHelp(int piColIndex, int piKeyCode) {
  const Globali& g = G();
  if (!g.goZelAiuto) return;
  const auto& fc = FC();
  const std::string col = NomeColonna(piColIndex);
  auto scrivi = [&](const vb::Variant& v) {
    if (mbInModifica && piColIndex == dbgRiga().Col()) {
      msTestoModifica = Testo(v);
      msSelezModifica = msTestoModifica;
      mbInModifica = false;
    }
    ScriviCellaProg(piColIndex, v);
    mCambiate.insert(piColIndex);
  };
  if (Uguale(col, "Spesa")) {
    std::string filtro = " (Spese.moneta = " + fc.ValoreSql(vb::Variant(osMoneta), vb::vbString);
    if (vb::UgualeTesto(osMoneta, g.gsCodLira))
      filtro += " or Spese.moneta = " + fc.ValoreSql(vb::Variant(g.gsCodEuro), vb::vbString);
    else if (vb::UgualeTesto(osMoneta, g.gsCodEuro))
      filtro += " or Spese.moneta = " + fc.ValoreSql(vb::Variant(g.gsCodLira), vb::vbString);
    filtro += ")";
    vb::Variant valore = ValCella(piColIndex);
    std::string testo;
    const long esito = g.goZelAiuto
                           ->DecodGriglia("Spesa", "Spesa", valore, testo, static_cast<int16_t>(piKeyCode), "", 0, 0,
                                          "", {}, vb::Missing, filtro)
                           .ToLong();
    if (Testo(valore) != Testo(ValCella(piColIndex))) scrivi(valore);
    if (esito == 0) DatiValidi(piColIndex, false, true);
  } else if (Uguale(col, "Iva")) {
    vb::Variant valore = ValCella(piColIndex);
    std::string testo;
    g.goZelAiuto->DecodGriglia("Iva", "Iva", valore, testo, static_cast<int16_t>(piKeyCode), "", 0, 0, "", {},
                               vb::Missing, "");
    if (Testo(valore) != Testo(ValCella(piColIndex))) scrivi(valore);
  }
}

// ---------------------------------------------------------------- the row

bool frmSpeseDoc::VerifUpdate() {
  ui::Griglia& g = dbgRiga();
  auto ferma = [&](const std::string& m, const char* campo) {
    Messaggio(m);
    const int c = Colonna(campo);
    if (c >= 0) g.SetCol(c);
    return false;
  };
  const bool cassaSenzaIva = Uguale(msCassaPrevSpesa, "S") && mbCassaPrevNoImpon;
  if (FC().Vuoto(ValoreVisto("Spesa"))) return ferma("Codice Spesa obbligatoria", "Spesa");
  if (FC().Vuoto(ValoreVisto("Iva")) && !cassaSenzaIva) return ferma("Codice IVA obbligatoria", "Iva");
  for (int i = 0; i < g.NumColonne(); ++i) {
    if (g.Colonna(i).Locked) continue;
    if (!DatiValidi(i, false, false)) {
      g.SetCol(i);
      return false;
    }
  }
  const std::string tipo = Testo(ValoreVisto("TipoAddebito"));
  const auto& fc = FC();
  if (Uguale(tipo, "P") || Uguale(tipo, "T")) {
    if (fc.ValDouble(ValoreVisto("Percentuale")) == 0)
      return ferma("Percentuale obbligatoria per questo tipo spesa", "Percentuale");
  } else if (fc.ValDouble(ValoreVisto("Importo")) == 0) {
    return ferma("Importo obbligatorio per questo tipo spesa", "Importo");
  }
  if (Uguale(tipo, "P") || Uguale(tipo, "T") || Uguale(tipo, "S")) {
    const double massimo = fc.ValDouble(ValoreVisto("ImportoMax"));
    if (massimo > 0 && fc.ValDouble(ValoreVisto("ImportoMin")) > massimo)
      return ferma("Importo Minimo maggiore dell'Importo Massimo", "ImportoMin");
  }
  return true;
}

int32_t frmSpeseDoc::MettiRiga(bool pbRigaSuGrid) {
  if (!FC().Vuoto(ValoreVisto("Riga"))) return 0;
  const Globali& g = G();
  const auto& fc = FC();
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(
      *g.goDbAzienda, g.gsConnAzienda, "",
      "Select top 1 * from " + g.gsTabSpese + " where Anno = " +
          fc.ValoreSql(vb::Variant(fc.ValInt(vb::Variant(osAnnoRif), true, true)), vb::vbInteger) +
          " and NumRif = " +
          fc.ValoreSql(vb::Variant(static_cast<int>(fc.ValDouble(vb::Variant(osNumRif), true))), vb::vbLong) +
          " order by Riga DESC",
      false, 4);
  int32_t n = 1;
  try {
    if (!rs.NessunRecord(k)) n = rs.LeggiCampo(k, "Riga").ToLong() + 1;
  } catch (...) {
    rs.ChiudiRecordset(k);
    throw;
  }
  rs.ChiudiRecordset(k);
  if (pbRigaSuGrid) {
    // Written into the record being stored: the column is hidden and the
    // store follows at once.
    if (dati::Recordset* r = ogComlin().Recordset(); r && r->InModifica()) r->Scrivi("Riga", vb::Variant(static_cast<int>(n)));
  }
  return n;
}

void frmSpeseDoc::AggSpesaClie() {
  if (FC().Vuoto(vb::Variant(osSpesa))) {
    Messaggio("Non c'è nessuna spesa associata al cliente");
    return;
  }
  try {
    ButtonComando("Nuovo");
    ui::DoEvents();
    const int c = Colonna("Spesa");
    ScriviCellaProg(c, vb::Variant(osSpesa));
    mCambiate.insert(c);
    if (DatiValidi(c, false, true)) ButtonComando("Salva");
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  }
}

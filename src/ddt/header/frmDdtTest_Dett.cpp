// The read-only grid of the DDT's lines under the header: a snapshot of the
// line table joined to the article master and the header, one row per line
// in display order, with the columns of a fixed catalogue that a personal
// setting may reorder, widen, alias and extend.
//
// The grid is bound to the recordset as it is opened: rows are read as the
// grid shows them, so a DDT of thousands of lines costs its first screen.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/RisVid.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Griglia.h"

namespace {

const char* const kSpeciali[] = {"_Descrizione", "ContoRicavo", "Liv1", "Liv2"};

bool Speciale(const std::string& n) {
  for (const char* s : kSpeciali)
    if (vb::UgualeTesto(n, s)) return true;
  return false;
}

bool LivelliGestiti() { return vb::UgualeTesto(G().gsGesTaglie, "S"); }

// An alias goes into the select list as it is written: a name of letters,
// digits and "_" only (letters beyond ASCII, as in "Quantità", included).
bool AliasValido(const std::string& a) {
  if (a.empty()) return false;
  for (unsigned char c : a)
    if (c < 0x80 && !std::isalnum(c) && c != '_') return false;
  return true;
}

// The grid column whose field is `nome`; nullptr when the result lacks it.
ui::ColonnaGriglia* Colonna(ui::Griglia& g, const std::string& nome) {
  for (int i = 0; i < g.NumColonne(); ++i)
    if (vb::UgualeTesto(g.Colonna(i).DataField, nome)) return &g.Colonna(i);
  return nullptr;
}

// Room a cell and a heading take besides their text, in twips.
constexpr long kMargineColonna = 300;

// The width column `c` needs to show its heading and `campione`, the widest
// value it commonly holds ("" free text), whole in the grid's fonts; never
// less than `designata`, the width drawn for an 8-point font.
long LarghezzaMinima(const ui::Griglia& g, const ui::ColonnaGriglia& c, long designata, const char* campione) {
  ui::Backend& b = ui::BackendAttivo();
  long w = std::max(designata, b.MisuraTesto(g.HeadFont(), c.Caption, 0).larghezza + kMargineColonna);
  if (*campione) w = std::max(w, b.MisuraTesto(g.Font(), campione, 0).larghezza + kMargineColonna);
  return w;
}

}  // namespace

ui::Griglia& frmDdtTest::GrigliaDett() const { return dynamic_cast<ui::Griglia&>(C("dbgDett")); }

ui::DatiControllo& frmDdtTest::DatiDett() const { return dynamic_cast<ui::DatiControllo&>(C("DatDett")); }

// The five columns whose alias is fixed, whatever a personal entry says.
void frmDdtTest::ColonneFisse(std::vector<std::string>& psEspr, std::vector<std::string>& psCap) const {
  psEspr.clear();
  psCap.clear();
  for (size_t i = 0; i < msColFisseEspr.size() && i < msColFisseCap.size(); ++i) {
    if (msColFisseEspr[i].empty()) continue;
    psEspr.push_back(msColFisseEspr[i]);
    psCap.push_back(msColFisseCap[i]);
  }
  if (!psEspr.empty()) return;
  const std::string d = G().gsTabDett + ".";
  psEspr = {d + "UM", d + "Qta", d + "ValUnitario", d + "ValTotale", d + "ScontoTot"};
  psCap = {"UM", "Quantità", "Prz_Unitario", "Prz_Totale", "Sconto"};
}

void frmDdtTest::DettOrdCol() {
  const auto& fc = vb::FunzioniComuni::Istanza();
  msColPersNome.clear();
  miColPersLarg.clear();
  msColPersAlias.clear();
  if (vb::Trim(msDettOrdColTest) == "-") {
    mbColPersTest = false;
    return;
  }
  mbColPersTest = true;
  const std::string testo = fc.Sostituisci(msDettOrdColTest, G().gsTabDettApp + ".", G().gsTabDett + ".");
  std::vector<std::string> voci;
  const long n = fc.Dividi(testo, ",", voci);
  std::vector<std::string> espr, cap;
  ColonneFisse(espr, cap);
  std::vector<std::string> scartate;
  for (long i = 1; i <= n; ++i) {
    std::string voce = voci[static_cast<size_t>(i)];
    if (vb::Trim(voce).empty()) continue;  // "Qta,Articolo," ends in an empty entry
    std::string alias, nome;
    int32_t larghezza = 0;
    bool buona = true;
    if (const long p = vb::InStr(1, voce, "^", vb::vbTextCompare); p > 0) {
      const std::string a = vb::Trim(vb::Mid(voce, p + 1));
      voce = vb::Trim(vb::Left(voce, p - 1));
      if (!a.empty()) {
        alias = " as " + a;
        buona = AliasValido(a);
      }
    }
    if (const long p = vb::InStr(1, voce, "§", vb::vbTextCompare); p > 0) {
      nome = vb::Trim(vb::Left(voce, p - 1));
      try {
        larghezza = fc.ValInt(vb::Mid(voce, p + vb::Len("§")), true, true);
      } catch (const vb::Errore&) {
        buona = false;  // a width beyond an Integer
      }
    } else {
      nome = vb::Trim(voce);
    }
    if (vb::InStr(1, nome, ".", vb::vbTextCompare) == 0 && !Speciale(nome)) nome = G().gsTabDett + "." + nome;
    // Every name reaches the statement as written: only a special name or a
    // column that the line table, the article master or the header has.
    if (buona && !Speciale(nome)) {
      const std::vector<std::string> parti = vb::Split(nome, ".");
      buona = parti.size() == 2 &&
              (vb::UgualeTesto(parti[0], G().gsTabDett) || vb::UgualeTesto(parti[0], "Articoli") ||
               vb::UgualeTesto(parti[0], G().gsTabTest)) &&
              AliasValido(parti[1]) && AziendaUtil::EsisteCampo(parti[0], parti[1]);
    }
    if (buona)
      for (const std::string& g : msColPersNome)
        if (vb::UgualeTesto(g, nome)) buona = false;  // named twice
    if (!buona) {
      scartate.push_back(vb::Trim(voci[static_cast<size_t>(i)]));
      continue;
    }
    for (size_t f = 0; f < espr.size(); ++f) {
      if (vb::UgualeTesto(nome, espr[f])) {
        alias = " as " + cap[f];
        break;
      }
    }
    msColPersNome.push_back(nome);
    miColPersLarg.push_back(larghezza);
    msColPersAlias.push_back(alias);
  }
  if (!scartate.empty()) {
    const std::string chiave = msDettOrdColTest == msDettOrdCol ? "DettOrdCol" : "DettOrdColTest";
    frmMsgCom::msgCom("Impostazione personale \"" + chiave + "\" delle colonne delle righe: " +
                          (scartate.size() == 1 ? "la voce \"" + scartate[0] + "\" non è valida ed è stata ignorata."
                                                : "le voci \"" + vb::Join(scartate, "\", \"") +
                                                      "\" non sono valide e sono state ignorate."),
                      "&Ok");
  }
  if (msColPersNome.empty()) mbColPersTest = false;
}

std::string frmDdtTest::NomeColEspr(const std::string& psNomeCampo) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  const std::string d = G().gsTabDett;
  if (vb::UgualeTesto(psNomeCampo, "_Descrizione"))
    return "iif(" + d + ".TipoRiga = " + fc.ValoreSql("D", vb::vbString) + "," + d + ".NotaSopra, iif(" + d +
           ".TipoRiga = " + fc.ValoreSql("C", vb::vbString) + "," + d + ".Comando & ' ' & " + d +
           ".NotaSopra, iif(not isnull(" + d + ".Descrizione)," + d + ".Descrizione, Articoli.Descrizione))) as "
           "_Descrizione";
  if (vb::UgualeTesto(psNomeCampo, "ContoRicavo"))
    return d + ".GruppoVen & '-' & " + d + ".MastroVen & '-' & " + d + ".ContoVen as ContoRicavo";
  if (vb::UgualeTesto(psNomeCampo, "Liv1")) return SottoQueryLiv("1");
  if (vb::UgualeTesto(psNomeCampo, "Liv2")) return SottoQueryLiv("2");
  return "";
}

std::string frmDdtTest::SottoQueryLiv(const std::string& psQualeLiv) {
  const std::string d = G().gsTabDett, l = G().gsTabLiv;
  const std::string n = psQualeLiv == "2" ? "2" : "1";
  return "(select livello" + n + " from " + l + " where " + l + ".Anno = " + d + ".Anno and " + l + ".Numrif = " +
         d + ".Numrif and " + l + ".RigLiv = " + d + ".RigLiv and (select count(*) from " + l +
         " as DL2 where DL2.Anno = " + d + ".Anno and DL2.Numrif = " + d + ".Numrif and DL2.RigLiv = " + d +
         ".RigLiv) = 1) as Liv" + n;
}

std::string frmDdtTest::AggCampoNonPers(const std::string& psNomeCampo, const std::string& psCampoAs) {
  if (mbColPersTest)
    for (const std::string& n : msColPersNome)
      if (vb::UgualeTesto(n, psNomeCampo)) return "";
  if (Speciale(psNomeCampo)) return ", " + NomeColEspr(psNomeCampo);
  std::string s = ", " + psNomeCampo;
  if (!vb::FunzioniComuni::Istanza().Vuoto(psCampoAs, vb::vbString)) s += " as " + psCampoAs;
  return s;
}

void frmDdtTest::MostraDett() {
  const auto& fc = vb::FunzioniComuni::Istanza();
  const std::string d = G().gsTabDett, t = G().gsTabTest;
  std::string l;
  if (mbColPersTest) {
    for (size_t i = 0; i < msColPersNome.size(); ++i) {
      if (Speciale(msColPersNome[i]))
        l += ", " + NomeColEspr(msColPersNome[i]);
      else
        l += ", " + msColPersNome[i] + msColPersAlias[i];
    }
  }
  l += AggCampoNonPers(d + ".Articolo", "");
  l += AggCampoNonPers("_Descrizione", "");
  l += AggCampoNonPers(d + ".UM", "UM");
  l += AggCampoNonPers(d + ".Qta", "Quantità");
  l += AggCampoNonPers(d + ".ValUnitario", "Prz_Unitario");
  l += AggCampoNonPers(d + ".ValTotale", "Prz_Totale");
  l += AggCampoNonPers(d + ".Iva", "");
  l += AggCampoNonPers(d + ".ScontoTot", "Sconto");
  l += AggCampoNonPers("ContoRicavo", "");
  if (LivelliGestiti()) {
    l += AggCampoNonPers("Liv1", "");
    l += AggCampoNonPers("Liv2", "");
  }
  l += AggCampoNonPers(d + ".Omaggio", "");
  l += AggCampoNonPers(d + ".NotaSopra", "");
  l += AggCampoNonPers(d + ".NotaSotto", "");
  // Every line, with or without its article: the lines joined to the
  // articles from their side, so that the engine walks the DDT's lines by
  // key in display order and looks each article up.
  const std::string sql = "Select" + l.substr(1) + " FROM (" + d + " LEFT JOIN Articoli ON Articoli.Articolo = " +
                          d + ".Articolo) INNER JOIN " + t + " ON (" + d + ".Anno = " + t + ".Anno) AND (" + d +
                          ".NumRif = " + t + ".NumRif) where " + d + ".Anno = " +
                          fc.ValoreSql(txt(20).Text(), vb::vbInteger) + " AND " + d +
                          ".NumRif = " + fc.ValoreSql(txt(10).Text(), vb::vbLong) + " ORDER BY " + d + ".RigDet";

  // The grid lets go of the old rows before they are closed.
  DatiDett().SetRecordset(nullptr);
  if (!msKeyRsDett.empty()) {
    try {
      mgRsDett.ChiudiRecordset(msKeyRsDett);
    } catch (...) {
    }
    msKeyRsDett.clear();
  }
  msKeyRsDett = mgRsDett.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
  DatiDett().SetRecordset(&mgRsDett.RecordsetDao(msKeyRsDett));
  ui::Griglia& g = GrigliaDett();
  g.ColonneDaCampi();
  vb::FunzioniComuniUi::FormatColonneDati(*this, g, mgRsDett, msKeyRsDett, "M", "999/99/9999", "dd/mm/yyyy");
  FormatColDett();
}

void frmDdtTest::FormatColDett() {
  ui::Griglia* pg = nullptr;
  try {
    pg = &GrigliaDett();
  } catch (...) {
    return;
  }
  ui::Griglia& g = *pg;
  struct Formato {
    const char* nome;
    long larghezza;
    const std::string* maschera;
    const char* campione;  // the widest value commonly shown ("" free text)
  };
  const bool livelli = LivelliGestiti();
  const Formato formati[] = {
      {"Articolo", 1300, nullptr, ""},
      {"_Descrizione", 3200, nullptr, ""},
      {"UM", 350, nullptr, "NR"},
      {"Quantità", 800, &msMascQtaDett, "99.999,999"},
      {"Prz_Unitario", 1000, &msMascPrzMon, "99.999,999"},
      {"Prz_Totale", 1000, &msMascImpMon, "999.999,99"},
      {"IVA", 350, nullptr, "N41"},
      {"Sconto", 900, nullptr, "99+99"},
      {"ContoRicavo", 1000, nullptr, "00-00-0000"},
      {"Liv1", livelli ? 1000 : 0, nullptr, ""},
      {"Liv2", livelli ? 1000 : 0, nullptr, ""},
      {"Omaggio", 350, nullptr, "N"},
  };
  // Every column holds at least its heading: an 8-point design cuts them
  // in a larger screen font.
  for (int i = 0; i < g.NumColonne(); ++i) {
    ui::ColonnaGriglia& c = g.Colonna(i);
    c.Width = LarghezzaMinima(g, c, c.Width, "");
  }
  for (const Formato& f : formati) {
    if (f.larghezza == 0) continue;
    if (ui::ColonnaGriglia* c = Colonna(g, f.nome)) {
      c->Width = LarghezzaMinima(g, *c, f.larghezza, f.campione);
      if (f.maschera && !f.maschera->empty()) c->NumberFormat = *f.maschera;
    }
  }
  // A width the user set is kept as given.
  if (mbColPersTest) {
    for (size_t i = 0; i < miColPersLarg.size(); ++i) {
      if (miColPersLarg[i] < 1 || static_cast<int>(i) >= g.NumColonne()) continue;
      g.Colonna(static_cast<int>(i)).Width = miColPersLarg[i];
    }
  }
  if (G().gbDisabTermVisPrz)
    for (const char* n : {"Prz_Unitario", "Prz_Totale", "Sconto"})
      if (ui::ColonnaGriglia* c = Colonna(g, n)) c->Visible = false;
  try {
    double fattore = HaBarra() ? ogComPag().LeggiVarBarra("RisVid", 12).ToDouble() : 0;
    if (fattore > 0 && fattore != 1) RisVid::ScalaColonne(g, fattore);
  } catch (...) {
  }
  g.ColonnaCambiata();
}

void frmDdtTest::dbgdett_DblClick() {
  dati::Recordset* rs = nullptr;
  try {
    rs = DatiDett().Recordset();
  } catch (...) {
  }
  if (rs && !rs->EOF_() && !rs->BOF()) olPosDett = rs->AbsolutePosition();
  ButtonComando("Dettaglio");
}

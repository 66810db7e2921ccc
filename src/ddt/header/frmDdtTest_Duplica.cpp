// Duplication of the DDT shown. The bar copies the header (first step of
// "Duplica", code 17 with element 1 = 1): the copy gets the next number of
// the working year, the working date, and loses what belonged to the old
// document only. The timer TimDupl gives "Duplica" again, the bar stores the
// new header (second step), and the lines, level rows and expenses of the
// source are copied under the new key: lines and levels into the working
// tables, for the line window that opens on them, expenses at once.
#include <string>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "services/ComLock.h"
#include "services/UtilDocFattGest.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

int Messaggio(const std::string& testo, const std::string& com1 = "&Ok", const vb::Variant& com2 = vb::Missing) {
  return frmMsgCom::msgCom(testo, com1, com2, vb::Missing, vb::Missing, 80, false, 600, vb::Missing, 1);
}

// The working rows a duplicate wrote under the new key, deleted again.
void SvuotaCopie(int16_t anno, int32_t numero) {
  const Globali& g = G();
  const std::string dove = " Where Anno = " + Fc().ValoreSql(anno, vb::vbInteger) +
                           " AND NumRif = " + Fc().ValoreSql(numero, vb::vbLong);
  for (const std::string& t : {g.gsTabLivApp, g.gsTabDettApp}) {
    try {
      g.goDbAzienda->EseguiSql(g.gsConnAzienda, "Delete from " + t + dove);
    } catch (const vb::Errore&) {
    }
  }
}

}  // namespace

bool frmDdtTest::ConfermaDupl() {
  // Only "&Si" goes on: a message window already open answers 0, no yes.
  if (Messaggio("Confermi duplicazione del DDT", "&Si", vb::Variant("&Annulla")) != 1) return false;
  miAnnoDuplOrig = Fc().ValInt(txt(20).Text());
  mlNumRifDuplOrig = Fc().ValLong(txt(10).Text());
  return true;
}

void frmDdtTest::DopoDuplica(vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) {
  if (!Fc().Vuoto(pvRit, vb::vbString, 1, false)) return;
  const vb::Variant& passo = pvArray.size() > 1 ? pvArray[1] : vb::Variant();
  if (!(passo.IsNumeric() && passo.ToDouble() == 1)) {
    DuplRigheDett();
    return;
  }
  // The copy belongs to the working year and is numbered within it.
  const vb::Date& oggi = G().gtDataLavoro;
  txt(20).SetText(std::to_string(oggi.Year()));
  RicUltNum(-1);
  txt(30).SetText(oggi.ToDateText());
  for (int n : {110, 60, 70, 126}) txt(n).SetText("");
  for (int n : {195, 198, 1430, 1440}) lab(n).SetText("0");
  for (int n : {190, 197, 1435, 1445}) lab(n).SetText("");
  for (int n : {1190, 1200, 1220, 1230, 105}) txt(n).SetText("");
  miDuplInCorso = 1;
  C("TimDupl").SetEnabled(true);
}

void frmDdtTest::TimDupl_Timer() {
  // Off before the command: a message shown by the second step lets the
  // timer fire again, and the header must not be stored twice.
  C("TimDupl").SetEnabled(false);
  if (miDuplInCorso != 1) return;
  try {
    ButtonComando("Duplica");
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  }
  try {
    if (C("TasPagine").SelectedTab() == 6) {
      miProvCaricata = 0;
      MostraProvenienza();
    }
  } catch (const vb::Errore&) {
  }
}

bool frmDdtTest::DuplRigheDett() {
  Globali& g = G();
  FunVarie::Clessidra(-1);
  bool ris = false;
  const int16_t anno = Fc().ValInt(txt(20).Text());
  const int32_t numero = Fc().ValLong(txt(10).Text());
  // A copy that did not go through: the new DDT stays with its header only,
  // no working row and no lock of it is left, and the user is told.
  auto fallita = [&](const std::string& cosa) {
    SvuotaCopie(anno, numero);
    ComLock::SbloccaDoc(nullptr, -1);
    FunVarie::Clessidra(0);
    Messaggio("Copia " + cosa + " non riuscita: il nuovo DDT " + std::to_string(numero) + "/" +
              std::to_string(anno) + " è stato salvato senza righe");
    return false;
  };
  try {
    int16_t nuovo = -1;
    std::string chiave = "Standard", utente, gestione = g.gsTipoDoc, varie;
    if (ComLock::BloccaDoc("U", g.gsTipoDoc, anno, numero, nuovo, -1, chiave, g.gsNomeDoc, utente, gestione,
                           varie) > 0) {
      ComLock::SbloccaDoc(nullptr, -1);
      FunVarie::Clessidra(0);
      return false;
    }
    const UtilDocFattGest::Coppie righe = {"Anno",        anno,     "NumRif",     numero,   "StatoRiga", "",
                                           "TipoProv",    "",       "FattDocumentoProv", "", "AnnoRifProv", vb::Null,
                                           "NumRifProv",  vb::Null, "RigaRifProv", vb::Null, "QtaProv",   vb::Null};
    if (UtilDocFattGest::CopiaRighe(miAnnoDuplOrig, mlNumRifDuplOrig, g.gsTabDett, g.gsTabDettApp, true, true, righe)
            .ToLong() != 0)
      return fallita("delle righe");
    const UtilDocFattGest::Coppie livelli = {"Anno",    anno,     "NumRif",     numero,
                                             "StatoRiga", "",     "QtaProv",    vb::Null,
                                             "RigLivOrig", int32_t(0)};
    if (UtilDocFattGest::CopiaRighe(miAnnoDuplOrig, mlNumRifDuplOrig, g.gsTabLiv, g.gsTabLivApp, true, true, livelli)
            .ToLong() != 0)
      return fallita("dei livelli");
    if (UtilDocFattGest::DuplRighe(miAnnoDuplOrig, mlNumRifDuplOrig, anno, numero, g.gsTabSpese, g.gsTabSpese)
            .ToLong() != 0)
      Messaggio("Errore nella copia delle spese");
    nuovo = 0;
    gestione = "M";
    if (ComLock::BloccaDoc("P", "", 0, 0, nuovo, -1, chiave, "Il movimento", utente, gestione, varie) == 0) ris = true;
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
    return fallita("delle righe");
  }
  FunVarie::Clessidra(0);
  int16_t gestDupl = 1;
  GestDettaglio(true, gestDupl);
  return ris;
}

// Accrual dates of the line and its notes in other languages: two small
// dialogs opened on the current line. The line window disables itself while
// one is open; the dialog's unload calls the window back by name, and the
// callback writes what was chosen into the line's fields (stored with the
// line by the page) and enables the window again.
#include <memory>
#include <string>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "ddt/lines/frmNotaLingua.h"
#include "lineaids/FrmCompetenza.h"
#include "platform/Testo.h"
#include "services/DbDitta.h"

using namespace DettUtil;

// ---- accrual dates

void frmDDTDett::MostraCompetenza() {
  // The dialog closed last is no longer inside its own unload.
  mfrmCompetenzaChiusa.reset();
  if (mfrmCompetenza && mfrmCompetenza->Caricata()) return;
  if (!mfrmCompetenza) mfrmCompetenza = std::make_shared<FrmCompetenza>();
  FrmCompetenza& f = *mfrmCompetenza;
  f.Load();
  f.oiAnno = FC().ValInt(vb::Variant(txt(600).Text()));
  f.osNumRif = osNumRif;
  f.osDataRif = osDataRif;
  f.osIntest = osIntest;
  f.osIntRagSoc = osIntRagSoc;
  f.osIntRagSoc2 = osIntRagSoc2;
  f.osArticolo = txt(20).Text();
  f.osLabArticolo = txt(26).Text();
  f.osImporto = txt(70).Text();
  // A supplier's document names its account "Fornitore:".
  f.obClieForn = !Uguale(vb::Trim(osIntTipo), "2");
  f.obOk = false;
  // A line without a kind of its own starts from its revenue account's.
  const std::string tipo = vb::Trim(txt(119).Text());
  f.osTipoComp = tipo.empty() ? msCompGiornMens : tipo;
  f.osDataCompDa = txt(117).Text();
  f.osDataCompA = txt(118).Text();
  f.osKeySec = osKeySec;
  f.ofrmDett = this;
  f.mostra();
  SetEnabled(false);
  f.Show(0);
}

void frmDDTDett::DopoCompetenza() {
  if (mfrmCompetenza && mfrmCompetenza->obOk) {
    const FrmCompetenza& f = *mfrmCompetenza;
    txt(119).SetText(f.osTipoComp);
    txt(117).SetText(f.osDataCompDa);
    txt(118).SetText(f.osDataCompA);
  }
  SetEnabled(true);
  Show();
  // The next click works on a fresh dialog; this one is still running its
  // unload, so it goes only at the next opening.
  mfrmCompetenzaChiusa = std::move(mfrmCompetenza);
}

// ---- notes in other languages

void frmDDTDett::ChiediNotaLingua() {
  if (mfrmNotaLingua && mfrmNotaLingua->Caricata()) return;
  try {
    const std::string sql = std::string("SELECT Lingue.Descrizione as Tipo, ArtLingue.DesLunga") +
                            " FROM ArtLingue INNER JOIN Lingue" + " ON ArtLingue.Lingua = Lingue.Lingua" +
                            " WHERE ArtLingue.Articolo = " + FC().ValoreSql(vb::Variant(txt(20).Text()), vb::vbString);
    if (!mgRecNote) mgRecNote = std::make_unique<dati::GestRecordset>();
    msRecNote = mgRecNote->ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 4);
    if (mgRecNote->NessunRecord(msRecNote)) {
      mgRecNote->ChiudiRecordset(msRecNote);
      msRecNote.clear();
      frmMsgCom::msgCom("Non ci sono note in lingua disponibili per questo articolo", "&Ok");
      return;
    }
    mfrmNotaLingua = std::make_shared<frmNotaLingua>();
    frmNotaLingua& f = *mfrmNotaLingua;
    f.Load();
    f.osArticolo = txt(20).Text();
    f.osLabArticolo = txt(26).Text();
    f.obOk = false;
    f.osKeySec = osKeySec;
    f.ofrmDett = this;
    f.ImpGriglia(*mgRecNote, msRecNote);
    SetEnabled(false);
    f.Show(0);
  } catch (...) {
    frmMsgCom::MsgErrfrm();
    // The dialog's unload calls the window back, which closes the rows and
    // enables the window; without a dialog both are done here.
    SenzaErrori([&] {
      if (mfrmNotaLingua) mfrmNotaLingua->Unload();
    });
    SenzaErrori([&] {
      if (mgRecNote && !msRecNote.empty() && mgRecNote->Esiste(msRecNote)) mgRecNote->ChiudiRecordset(msRecNote);
      msRecNote.clear();
    });
    SenzaErrori([&] { SetEnabled(true); });
  }
}

void frmDDTDett::DopoChiediNotaLingua() {
  SenzaErrori([&] {
    if (mgRecNote && !msRecNote.empty() && mgRecNote->Esiste(msRecNote)) mgRecNote->ChiudiRecordset(msRecNote);
  });
  msRecNote.clear();
  SenzaErrori([&] {
    if (!mfrmNotaLingua || !mfrmNotaLingua->obOk) return;
    // The chosen text replaces the whole note; its print mode is always
    // the configured one.
    const int nota = mbNotaLinguaSotto ? 440 : 420, modo = mbNotaLinguaSotto ? 430 : 410;
    txt(nota).SetText(mfrmNotaLingua->osNota);
    // Positioning the list raises its click, which would write back ""
    // for a configured code the list does not hold: the code goes in after.
    FunVarie::PosizCombo(cob(modo), vb::Variant(msNotaLinguaStampa), Vettore(mavStampaNota), true, true);
    txt(modo).SetText(msNotaLinguaStampa);
  });
  SenzaErrori([&] { SetEnabled(true); });
  SenzaErrori([&] { Show(); });
}

// The DDT line window as opener of the level matrix: what the matrix reads
// of the document and of the line comes from the window's members at the
// moment it asks; its close calls the window back.
#include <memory>

#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/lines/frmDDTDett.h"
#include "levels/ProtRigaLivelli.h"
#include "levels/frmGestLivelli.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

class MatriceDaRiga : public ApriLivelli {
 public:
  explicit MatriceDaRiga(frmDDTDett& d) : d_(d) {}

  DatiAperturaLivelli DatiLivelli() const override {
    DatiAperturaLivelli r;
    const frmDDTDett& d = d_;
    r.osAnno = d.osAnno;
    r.osNumRif = d.osNumRif;
    r.osDataRif = d.osDataRif;
    r.osFattDocum = d.osFattDocum;
    r.osLabFattDocum = d.osLabFattDocum;
    r.osPreDoc = d.osPreDoc;
    r.osNumDoc = d.osNumDoc;
    r.osDataDoc = d.osDataDoc;
    r.osRiferimClie = d.osRiferimClie;
    r.obCercaListBase = d.obCercaListBase;
    r.osIntest = d.osIntest;
    r.osIntRagSoc = d.osIntRagSoc;
    r.osIntRagSoc2 = d.osIntRagSoc2;
    r.osListino = d.osListino;
    r.osMoneta = d.osMoneta;
    r.osCambio = d.osCambio;
    r.osMonOper = d.osMonOper;
    r.osIva = d.osIva;
    r.osLivGruppo1 = d.osLivGruppo1;
    r.osLivGruppo2 = d.osLivGruppo2;
    r.osFlagLivLis = d.osFlagLivLis;
    r.oiNumDecMon = d.oiNumDecMon;
    r.oiNumDecMonGes = d.oiNumDecMonGes;
    r.osNumDecQta = d.osNumDecQta;
    r.osNumDecMonGes = d.osNumDecMonGes;
    r.osNumDecMonGesPers = d.osNumDecMonGesPers;
    r.osIntTipo = d.osIntTipo;
    r.osCategoria = d.osCategoria;
    r.osArtGruppo = d.osArtGruppo;
    r.osArtSottoGru = d.osArtSottoGru;
    r.osTabSconti = d.osTabSconti;
    r.osListModSconto = d.osListModSconto;
    r.osListSconto = d.osListSconto;
    r.osListIvato = d.osListIvato;
    r.osListBase = d.osListBase;
    r.osListBaseIvato = d.osListBaseIvato;
    r.osQualeImporto = d.osQualeImporto;
    r.osPrzIvato = d.osPrzIvato;
    r.osMagazzino = d.osMagazzino;
    r.osSegnalGiac = d.osSegnalGiac;
    return r;
  }

  // The rows' totals and the editor's discount memory go into the line,
  // which saves itself, as after the list editor.
  void AggQtaPrzLivelli(double pdQta, double pdPrezzo, frmGestLivelli& pfrm) override {
    ScontiLivelli s;
    s.osDetScontoClie = pfrm.osDetScontoClie;
    s.osDetScontoTab = pfrm.osDetScontoTab;
    s.osDetScontoArt = pfrm.osDetScontoArt;
    s.osDetScontoQta = pfrm.osDetScontoQta;
    s.osDetScontoTot = pfrm.osDetScontoTot;
    s.odPercRidProvv = pfrm.odPercRidProvv;
    s.odPercRidProvvQta = pfrm.odPercRidProvvQta;
    d_.AggQtaPrzLivelli(pdQta, pdPrezzo, s);
  }

  void DopoGestLivelli() override {
    d_.oiInDeLiv = 0;
    d_.mfrmMatriceChiusa = std::move(d_.mfrmMatrice);
    d_.SetEnabled(true);
    d_.DopoGestLivelli();
  }

 private:
  frmDDTDett& d_;
};

}  // namespace

bool ApriMatriceLivelli(frmDDTDett& dett) {
  const Globali& g = G();
  if (dett.mfrmMatrice || !dett.ArtConLivelli()) return false;
  try {
    auto f = std::make_shared<frmGestLivelli>();
    if (!dett.mpApriMatrice) dett.mpApriMatrice = std::make_shared<MatriceDaRiga>(dett);
    f->ofrmMain = dett.mpApriMatrice.get();
    f->osParam = dett.osParam;
    f->oiAnnoMag = dett.miAnnoMag;
    f->osRigLiv = dett.lab(15).Caption();
    f->osArticolo = vb::Trim(dett.txt(20).Text());
    f->osDescArt = dett.txt(23).Text();
    f->osUm = dett.txt(140).Text();
    f->osDescUm = dett.Esiste("lab", 140) ? dett.lab(140).Caption() : std::string();
    f->odPercIva = dett.odPercIva;
    const double fatCon = FC().ValDouble(vb::Variant(dett.txt(150).Text()));
    f->odFatCon = fatCon == 0 ? 1 : fatCon;
    f->osDetScontoClie = dett.txt(100).Text();
    f->osDetScontoTab = dett.txt(90).Text();
    f->osDetScontoArt = dett.txt(110).Text();
    f->osDetScontoQta = dett.txt(120).Text();
    f->osDetScontoTot = dett.txt(80).Text();
    f->osPromozione = dett.txt(175).Text();
    f->odPercRidProvv = dett.mdPercRidProvvTab;
    f->odPercRidProvvQta = dett.mdPercRidProvvQta;
    f->osKeySec = dett.osKeySec;
    f->osFileDocLiv = "DDtLivApp";
    f->oiTipoGest = 2;
    f->obDisabTermPrz = g.gbDisabTermPrz;
    f->obDisabTermVisPrz = g.gbDisabTermVisPrz;
    f->osLiv1VertOriz = dett.osLiv1VertOriz;
    // A printed or evaded DDT opens read-only.
    f->AbilRw(vb::Trim(dett.osStato).empty() ? dett.LeggioiAbilRW() : int16_t{0});
    if (!f->msRifiuto.empty()) {
      f->ofrmMain = nullptr;
      f->Unload();
      return false;
    }
    dett.mfrmMatrice = f;
    dett.oiInDeLiv = 2;
    dett.SetEnabled(false);
    f->Show(0);
    return true;
  } catch (...) {
    frmMsgCom::MsgErrfrm();
    dett.oiInDeLiv = 0;
    dett.SetEnabled(true);
    return false;
  }
}

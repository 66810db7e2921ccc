#pragma once
// "Visualizzazione Stampa": the screen preview of a print. The print library
// gives it its print object, draws each page as a picture into `PicSec` and
// waits in `Continua` until the user asks for a page not produced yet or
// leaves. With page storing on, every page is kept as a file the moment the
// user moves away from it, so that first, previous and last pages show
// again without printing them anew; the files go when the window closes.
//
// `frmVStaPar` ("Grandezza visualizzazione stampe") is the small dialog in
// which the print setup chooses the preview's size and page storing.
#include <string>

#include "platform/stampa/OggettoStampa.h"
#include "platform/ui/Form.h"

class FrmVStampa : public ui::Form, public stampa::FinestraAnteprima {
 public:
  FrmVStampa();

  bool obAttivo = false;
  std::string osKeySec;
  std::string osRisVidKey;
  double odRisVidVal = 1;

  // ---- the print object (property ogStampa)
  stampa::OggettoStampa* ogStampa() const { return ogStampa_; }
  void SetogStampa(stampa::OggettoStampa* s);
  void SistImgFrecce();
  void Continua() override;

  // ---- for the print library
  void ImpostaStampa(stampa::OggettoStampa* s) override { SetogStampa(s); }
  void MostraFilePagina(const std::string& file) override;
  void Messaggio(const std::string& testo) override { C("LabMsg").SetCaption(testo); }
  void AbilitaComandi(bool primo, bool precedente, bool successivo, bool ultimo, bool esci) override;
  bool Attivo() const override { return obAttivo && Caricata(); }

  // The prefix of this print's page files.
  const std::string& FilePagine() const { return msFilePagine; }
  // The file of page n.
  std::string FileDiPagina(int n) const;

  // ---- events
  void imaMuovi_Click(int Index);
  void ComEsci_Click();
  void SistDimensioni();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  void Form_Unload(int& Cancel) override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Click(ui::Controllo& c) override;
  void Change(ui::Controllo& c) override;
  void Scroll(ui::Controllo& c) override;
  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;

 private:
  void MostraPag(int n);
  void LabPagina(int n);
  stampa::OggettoStampa* ogStampa_ = nullptr;
  std::string msFilePagine;
  bool mbContinua = false;
  bool mbEsci = false;
  int miPagDa = 0;
};

class frmVStaPar : public ui::Form {
 public:
  frmVStaPar();
  // The sample of the text size in `PicProva` (a picture drawn by the
  // print library).
  void Campione();
  void Form_Activate() override { Campione(); }
  void Change(ui::Controllo& c) override;
  void Scroll(ui::Controllo& c) override { Change(c); }
  void DblClick(ui::Controllo& c) override;
  void Click(ui::Controllo& c) override;

 private:
  std::string campione_;
};

// The program's preview window.
FrmVStampa& FrmVStampaGlob();

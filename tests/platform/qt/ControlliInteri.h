#pragma once
// The checks of a window shown by the Qt backend: every shown caption is
// whole in its width, no two shown controls of one container cover each
// other and each lies inside its container; then the picture of the window
// is written into the tests' folder to be looked at.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <string>
#include <vector>

#include "platform/qt/BackendQt.h"
#include "platform/qt/ProvaQt.h"
#include "platform/ui/Form.h"

namespace prova {

// Shown on the screen, up through its containers.
inline bool MostratoQt(const ui::Controllo& c) {
  QWidget* w = ui::BackendQt::Widget(c);
  return w && w->isVisible();
}

inline void DidascalieIntere(ui::Form& f) {
  for (const auto& c : f.Controlli()) {
    if (!MostratoQt(*c)) continue;
    const ui::Tipo t = c->tipo();
    if (t == ui::Tipo::CommandButton || t == ui::Tipo::CheckBox || t == ui::Tipo::OptionButton) {
      auto* b = qobject_cast<QAbstractButton*>(ui::BackendQt::Widget(*c));
      if (!b) continue;
      QString testo = b->text();
      testo.remove('&');
      const int margine = t == ui::Tipo::CommandButton ? 8 : 24;
      EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(testo) + margine, b->width())
          << c->Name() << "(" << c->Index() << "): " << testo.toStdString();
    } else if (t == ui::Tipo::Frame) {
      auto* g = qobject_cast<QGroupBox*>(ui::BackendQt::Widget(*c));
      if (!g) continue;
      EXPECT_LE(QFontMetrics(g->font()).horizontalAdvance(g->title()) + 16, g->width()) << c->Name();
    } else if (t == ui::Tipo::Label) {
      auto* l = qobject_cast<QLabel*>(ui::BackendQt::Widget(*c));
      if (!l || l->text().isEmpty()) continue;
      EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(l->text()), l->contentsRect().width())
          << c->Name() << "(" << c->Index() << "): " << l->text().toStdString();
    }
  }
}

inline void NessunaSovrapposizione(ui::Form& f) {
  std::vector<ui::Controllo*> mostrati;
  for (const auto& c : f.Controlli()) {
    if (!MostratoQt(*c)) continue;
    if (c->tipo() == ui::Tipo::Timer || c->tipo() == ui::Tipo::Data) continue;
    if (c->Width() <= 0 || c->Height() <= 0) continue;
    mostrati.push_back(c.get());
  }
  for (size_t i = 0; i < mostrati.size(); ++i) {
    const ui::Controllo& a = *mostrati[i];
    if (const ui::Controllo* k = a.Container()) {
      EXPECT_LE(a.Left() + a.Width(), k->Width()) << a.Name() << "(" << a.Index() << ") in " << k->Name();
      EXPECT_LE(a.Top() + a.Height(), k->Height()) << a.Name() << "(" << a.Index() << ") in " << k->Name();
    } else {
      EXPECT_LE(a.Left() + a.Width(), f.ScaleWidth()) << a.Name() << "(" << a.Index() << ")";
      EXPECT_LE(a.Top() + a.Height(), f.ScaleHeight()) << a.Name() << "(" << a.Index() << ")";
    }
    for (size_t j = i + 1; j < mostrati.size(); ++j) {
      const ui::Controllo& b = *mostrati[j];
      if (a.Container() != b.Container()) continue;
      const bool copre = a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() &&
                         a.Top() < b.Top() + b.Height() && b.Top() < a.Top() + a.Height();
      EXPECT_FALSE(copre) << a.Name() << "(" << a.Index() << ") / " << b.Name() << "(" << b.Index() << ")";
    }
  }
}

// Both checks, then the picture; the file's path.
inline std::string FotoControllata(ui::Form& f, const std::string& nome) {
  QApplication::processEvents();
  DidascalieIntere(f);
  NessunaSovrapposizione(f);
  const std::string png = FileSchermata(nome);
  EXPECT_TRUE(ui::SalvaSchermata(f, png));
  EXPECT_FALSE(QImage(QString::fromStdString(png)).isNull());
  return png;
}

}  // namespace prova

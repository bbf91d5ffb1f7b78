#include "core/program/main_commands.h"

#include "core/platform/messages.h"
#include "core/program/pursewise.h"

MainCommands::MainCommands(Pursewise& p) : m_p(p) {}

bool MainCommands::wantsStartHint() const
{
    return m_p.cardList.cardCount() == 0;
}

bool MainCommands::requireSelection() const
{
    if (!m_p.cardList.selectedKey().isEmpty())
        return true;
    showMessage(QStringLiteral("A card must first be selected from the Card list."));
    return false;
}

void MainCommands::B1Click()
{
    if (requireSelection())
        m_p.tc.OpenCard();
}

bool MainCommands::B4Click()
{
    if (!requireSelection())
        return false;
    m_p.tc.OpenCard();
    return true;
}

void MainCommands::B3Click()
{
    if (!requireSelection())
        return;
    // The card to delete is loaded into the register to test its balance; a
    // register open on a card closes first, so it never shows data it is not
    // bound to.
    m_p.reg.shown = false;
    m_p.reg.cardKey = m_p.cardList.selectedKey();
    m_p.currentCard.ResetCard();
    m_p.tc.SelectYear(m_p.main.CurrentYr);
    m_p.yrEditBox.ShowSelectedYear();
    m_p.yrList.ClearYears();
    m_p.yrList.LoadYears();
    m_p.cardInfo.LoadInfo();
    m_p.grid.LoadYear();
    if (m_p.reg.E6 != u"0.00") {
        showMessage(QStringLiteral("This card can not be deleted because it carries a balance. A "
                                   "payment must first be entered to pay off the balance."));
        return;
    }
    m_p.tc.DeleteCard();
}

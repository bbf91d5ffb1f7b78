#pragma once

#include "core/amounts/cc_math.h"
#include "core/register/year_list.h"
#include "core/platform/file_history.h"
#include "core/platform/text_grid.h"
#include "core/cards/card_list.h"
#include "core/cards/card_summary.h"
#include "core/cards/main_fields.h"
#include "core/program/register_bridge.h"
#include "core/register/begin_bal.h"
#include "core/register/card_info.h"
#include "core/register/grid.h"
#include "core/register/register_fields.h"

// The whole state of the program for its data folder (the working directory):
// the main window's card list, totals and years, the register's header,
// ledger and opening balances, the year list, and the one instance of every
// logic object. Made once at start-up and handed to the windows, which show
// its tables and fields and call its objects.
class Pursewise
{
public:
    Pursewise();
    Pursewise(const Pursewise&) = delete;
    Pursewise& operator=(const Pursewise&) = delete;

    // The main window's start: headers, the card list, the years, the saved
    // totals and the "Expired" marks. A step that fails is reported and the
    // others still run, so the program always starts with its years set.
    void start();

    // The session's undo history of every saved change; made first, so that
    // it records every save of the session. Starts empty after start().
    FileHistory history;

    // Data shown by the windows.
    TextGrid sg1{8, 25, 1};           // card list, row 0 the headers
    MainFields main;                  // totals and year texts
    RegisterFields reg;               // register header and its card
    TextGrid ledger{7, 1001, 1};      // StringGrid1, row 0 the headers
    TextGrid beginBalGrid{2, 100, 0}; // BeginBalGrid, row y is year y
    YearList years;                   // the year chooser's list

    // The logic objects, one each.
    TccMath math;
    TCardList cardList{sg1};
    TS summary{sg1, cardList, main, math};
    TBeginBal beginBal{beginBalGrid, main, reg, math};
    TGrid grid{ledger, beginBal, main, reg, math};
    TCurrentCard currentCard{reg, grid};
    TCardInfo cardInfo{reg, math};
    TYrEditBox yrEditBox{reg, main};
    TYrList yrList{years, main, reg};
    TC tc{*this};
};

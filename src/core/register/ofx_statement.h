#pragma once

#include "core/register/statement.h"

#include <QByteArray>
#include <QString>

// Reads an OFX or QFX statement, the SGML of OFX 1.x ("OFXHEADER:100", leaf
// tags left open) and the XML of OFX 2.x ("<?OFX OFXHEADER="200"?>"), through
// libofx: every STMTTRN of its card (CREDITCARDMSGSRSV1) and bank
// (BANKMSGSRSV1) statements is an entry. A negative TRNAMT is a purchase, a
// charge; a positive one a payment or credit. The description is NAME, with
// MEMO after it when the bank wrote one that says something else; the date is
// DTPOSTED's calendar day as the file writes it, whatever its time and zone.
Statement parseOfx(const QByteArray& bytes, const QString& fileName);

// The same for the file at `path`; raises when it cannot be read.
Statement readOfxStatement(const QString& path);

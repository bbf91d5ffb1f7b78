# Writes the crash test's script: more than a hundred saving actions on four
# cards, with the totals the program must show at the end.
import random
rnd = random.Random(14)
out = []
w = out.append
w("# More than a hundred saving actions, one after another, as a person would")
w("# make them in one sitting: four cards added, three of them filled with")
w("# charges and payments that are added, inserted, edited, marked X and")
w("# deleted, a credit limit raised, a card deleted and another added.")
w("# The crash test (crash_test.sh) kills a run of this script at each rename")
w("# in turn and checks the files the run left.")
w("clock 2026-12-08 12:00:00")
w("start")
w('expect-message Hint: To begin using Pursewise you must enter information about one or more cards using the "Add a Card" button below. ')
cards = {}  # row -> dict(limit cents, owed cents, entries list of (cents signed, cleared))
def cents(t): return int(round(float(t.replace("$","").replace(",",""))*100))
def money(c):
    s = "-" if c < 0 else ""
    c = abs(c)
    whole, frac = divmod(c, 100)
    return f"{s}{whole if whole else ''}.{frac:02d}" if whole == 0 and True else f"{s}{whole}.{frac:02d}"
def fmt(c):
    s = "-" if c < 0 else ""
    c = abs(c); whole, frac = divmod(c, 100)
    return f"{s}{whole}.{frac:02d}" if whole else f"{s}.{frac:02d}" if frac else "0.00"
actions = 0
def add_card(row, name, limit, opening):
    global actions
    w("")
    w(f"# Card {name}")
    w("click Main.B2")
    w(f"type AddOrEditCard.E1 {name}")
    w("date AddOrEditCard.DT2 10/31/29")
    w("type AddOrEditCard.E2 19.99")
    w("type AddOrEditCard.E3 0")
    w("date AddOrEditCard.DT1 6/30/27")
    w("type AddOrEditCard.E4 15")
    w(f"type AddOrEditCard.E5 {limit}")
    if opening: w(f"type AddOrEditCard.E6 {opening}")
    w("click AddOrEditCard.OKBtn")
    w("expect-visible AddOrEditCard no")
    entries = [(cents(opening), False)] if opening else []
    cards[row] = dict(limit=cents(limit), entries=entries)
    actions += 1
def entry_dialog(kind, amount, cleared, day, desc, edit=False):
    w(f"date MakeOrEditEntry.DT1 12/{day}/26")
    w(f"type MakeOrEditEntry.E1 {desc}")
    if not edit:
        w("click MakeOrEditEntry." + ("R1" if kind > 0 else "R2"))
    w("type MakeOrEditEntry." + ("E2" if kind > 0 else "E3") + f" {amount}")
    if cleared: w("click MakeOrEditEntry.C1")
    w("click MakeOrEditEntry.OKBtn")
    w("expect-visible MakeOrEditEntry no")
descs = ["Groceries", "Fuel", "Books  and more", "Dinner out", "Hardware store", "Pharmacy", "Train tickets", "Café au lait", "Gift", "Subscription"]
def fill(row, n):
    global actions
    card = cards[row]
    w("")
    w(f"row Main.sg1 {row}")
    w("click Main.B1")
    for i in range(n):
        ents = card["entries"]
        r = rnd.random()
        day = rnd.randint(1, 8)
        if len(ents) < 3 or r < 0.40:
            kind = 1 if rnd.random() < 0.7 else -1
            amt = rnd.randint(100, 40000)
            cl = rnd.random() < 0.3
            w("click Form1.BB3")
            entry_dialog(kind, fmt(amt), cl, day, rnd.choice(descs) if kind > 0 else "Payment")
            ents.append((kind*amt, cl))
        elif r < 0.55:
            at = rnd.randint(1, len(ents))
            kind = 1 if rnd.random() < 0.7 else -1
            amt = rnd.randint(100, 20000)
            w(f"row Form1.StringGrid1 {at}")
            w("click Form1.BB4")
            entry_dialog(kind, fmt(amt), False, day, rnd.choice(descs) if kind > 0 else "Refund")
            ents.insert(at-1, (kind*amt, False))
        elif r < 0.70:
            at = rnd.randint(1, len(ents))
            old, cl = ents[at-1]
            kind = 1 if old > 0 else -1
            amt = rnd.randint(100, 30000)
            w(f"row Form1.StringGrid1 {at}")
            w("click Form1.BB6")
            # The dialog opens on the entry's own values; the cleared box
            # keeps its mark unless clicked.
            entry_dialog(kind, fmt(amt), False, day, "Edited", edit=True)
            ents[at-1] = (kind*amt, cl)
        elif r < 0.85:
            at = rnd.randint(1, len(ents))
            w(f"row Form1.StringGrid1 {at}")
            w("click Form1.BB7")
            v, cl = ents[at-1]
            ents[at-1] = (v, not cl)
        else:
            at = rnd.randint(2, len(ents))
            w(f"row Form1.StringGrid1 {at}")
            w("click Form1.BB5")
            del ents[at-1]
        actions += 1
    owed = sum(v for v, _ in card["entries"])
    w(f"expect-text Form1.E6 {fmt(owed)}")
    w("close Form1")
add_card(1, "Visa Gold", "5000", "250")
add_card(2, "Store Card", "$1,500", "")
add_card(3, "Travel Rewards", "8000", "1200.50")
add_card(4, "Spare", "500", "")
for row in (1, 2, 3):
    fill(row, 32)
w("")
w("# A higher limit for the first card.")
w("row Main.sg1 1")
w("click Main.B4")
w("type AddOrEditCard.E5 7500")
w("click AddOrEditCard.OKBtn")
w("expect-visible AddOrEditCard no")
cards[1]["limit"] = 750000
actions += 1
w("")
w("# The spare card owes nothing and goes; the next card gets key 5.")
w("row Main.sg1 4")
w("click Main.B3")
del cards[4]
actions += 1
add_card(4, "Late Card", "2000", "99.99")
w("expect-cell Main.sg1 0 4 5. Late Card")
lim = sum(c["limit"] for c in cards.values())
owed = [sum(v for v, _ in c["entries"]) for c in cards.values()]
avail = sum(max(0, min(c["limit"], c["limit"] - o)) for c, o in zip(cards.values(), owed))
w(f"expect-text Main.E1 {fmt(lim)}")
w(f"expect-text Main.E2 {fmt(sum(o for o in owed if o >= 0))}")
w(f"expect-text Main.E3 {fmt(avail)}")
w(f"# {actions} saving actions.")
print("\n".join(out))
import sys; print(actions, file=sys.stderr)

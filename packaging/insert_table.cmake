# Puts the table of characters (TABLE) into the manual page (PAGE) at its mark, as OUT.
file(READ "${PAGE}" page)
file(READ "${TABLE}" table)
string(REPLACE ".\\\" The table of characters goes here.\n" "${table}" page "${page}")
file(WRITE "${OUT}" "${page}")

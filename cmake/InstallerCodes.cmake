# The installer's upgrade code: the same for every release of Pixtrove!, so that Windows
# Installer finds an installed one and a newer package replaces it. Never change it.
set(PIXTROVE_UPGRADE_CODE 94BF9CEC-977D-4D6D-9A9E-28C995DBC224)

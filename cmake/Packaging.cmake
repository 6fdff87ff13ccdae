# `make package`: a Debian package built by CPack from the install rules.
set(CPACK_GENERATOR DEB)
# Quotes and newlines in the description reach the package as written.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME kanatsumugi)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The kanatsumugi developers")
set(CPACK_PACKAGE_CONTACT "The kanatsumugi developers <kanatsumugi@users.noreply.github.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://kanatsumugi.github.io/")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
# Depends comes from the binaries' shared libraries (dpkg-shlibdeps), and a Japanese font:
# without one every katakana of the window is a box.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-japanese-gothic | fonts-noto-cjk")
# Qt's own texts (context menus, buttons) in Japanese, and an
# input method that reaches a Qt 6 program: Qt's own ibus input context ships with
# libqt6gui6; fcitx5 needs its Qt 6 frontend. Without the translation the program still
# works, with English context menus.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-translations-l10n, ibus-mozc | ibus-anthy | fcitx5-mozc | fcitx5-anthy, ibus | fcitx5-frontend-qt6")
# On a Wayland desktop the window goes through XWayland, which Debian's GNOME and Plasma
# sessions always bring, and X11 support is in libqt6gui6. Qt's Wayland plugin is only for
# a compositor without XWayland.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "im-config, qt6-wayland")

# The first line is the synopsis; CPack indents the rest and marks the empty line
# between the paragraphs as Debian's control format wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "katakana name generator / カタカナの名前を考え出すプログラム
Kanatsumugi (\"spinning kana\") is a small desktop program that invents
katakana names: each press of its button makes a random name of two to
eight katakana. Names you like are stocked in a Shift-JIS text file in the
working folder. kanatsumugi-cli prints many names at once.

カナツムギは、ボタンを押すたびに 2〜8 文字のカタカナの名前をランダムに
作る小さなデスクトップ・プログラムです。気に入った名前は作業フォルダの
テキストファイル（Shift_JIS）にストックできます。kanatsumugi-cli で
たくさんの名前を一度に作れます。")

include(CPack)

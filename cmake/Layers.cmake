# The folders of the program in layer order, lowest first: a folder may
# include only folders before it. The test `layers` holds every include
# against this list, and the README's folder graph is drawn from it.
set(QNTCALC_LAYERS
    base
    text
    engine
    fileio
    checks
    ui
    ui/qt
    window
    project
    whatif
    whatif/qt
    print
    print/qt
    about
    about/qt
    report
    report/qt
    app
    cli
    web
    bench
    bench/qt
    fuzz
)

# Where Qt may be included: the qt/ folders and the program on top.
set(QNTCALC_QT_FOLDERS_REGEX "(^|/)qt$|^app$")

# The network test terminal's document loader; standard library only.
mx_fuzz(ltn_fuzz SOURCES ltn_fuzz.cpp LIBS mx_nettest_core)

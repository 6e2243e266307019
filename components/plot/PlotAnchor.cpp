namespace veldo::plot { int anchor = 0; }

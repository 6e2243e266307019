namespace veldo::table { int anchor = 0; }

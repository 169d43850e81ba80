// not-a-number, as the engine prints it: nan
var nan = NaN;

// an infinity, as the engine prints one: inf, -inf
var inf = Infinity;

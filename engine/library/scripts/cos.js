// cosine of an angle in radians
function cos(x){return Math.cos(x);}

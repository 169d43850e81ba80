// tangent of an angle in radians
function tg(x){return Math.tan(x);}

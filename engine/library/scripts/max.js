// the greatest of its arguments
function max(){return Math.max.apply(null,arguments);}
